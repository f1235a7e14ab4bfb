#pragma once
// The one reaction to a failing system call: the thread's last error is
// described in the system's words, appended to "Errors.log" in the current
// directory (in the user's state folder where the current one cannot take
// it), and shown in an error box captioned "Error". Nothing happens when the
// last error is 0.
//
// Each front end makes one report over its message boxes at start-up and
// hands it to the code that reports failures.

#include <cstdint>
#include <string>

namespace tarvoss {

class MessageBoxes;

class ErrorReport {
public:
    // `boxes` (not owned) must outlive the report.
    explicit ErrorReport(MessageBoxes& boxes) : boxes_(boxes) {}

    // Reports the calling thread's last error, as above.
    void ReportSystemError() const;

    // Appends one entry for `code` with `description` to "Errors.log".
    // Failures of the writer's own steps are shown in an error box but never
    // written to the log again, so a log that cannot be opened does not report
    // itself forever. Entries of several threads are written one after the other.
    void WriteErrorLog(std::uint32_t code, const std::string& description) const;

    // The boxes the report shows its errors in.
    MessageBoxes& Boxes() const { return boxes_; }

private:
    MessageBoxes& boxes_;
};

// The six pieces of one log entry, joined: exposed for the tests.
std::string FormatErrorLogEntry(std::uint32_t code, const std::string& description);

// File records that show their failures hand them to the report named here
// (not owned; nullptr: a report over console boxes). A front end names its
// report at start-up and takes it back before the report goes.
void ReportFileRecordFailuresTo(const ErrorReport* report);

// Reports the calling thread's last error through the report of the file
// records; the failure report of every file record that shows its failures.
void ReportSystemError();

}  // namespace tarvoss
