#pragma once
// The one reaction to a failing system call: the thread's last error is
// described in the system's words, appended to "Errors.log" in the current
// directory (in the user's state folder where the current one cannot take
// it), and shown in an error box captioned "Error". Nothing happens when the
// last error is 0.

#include <cstdint>
#include <string>

namespace tarvoss {

void ReportSystemError();

// Appends one entry for `code` with `description` to "Errors.log". Failures of
// the writer's own steps are shown in an error box but never written to the
// log again, so a log that cannot be opened does not report itself forever.
// Entries of several threads are written one after the other.
void WriteErrorLog(std::uint32_t code, const std::string& description);

// The six pieces of one log entry, joined: exposed for the tests.
std::string FormatErrorLogEntry(std::uint32_t code, const std::string& description);

}  // namespace tarvoss
