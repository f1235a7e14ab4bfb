#pragma once
// The process's command line as the engine takes it: text in the engine's
// form (UTF-8; on Windows read as UTF-16 from the system, whatever the code
// page, so every name the system allows arrives whole).

#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

// The arguments after the program's name; `argc` and `argv` are main's.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Overwrites `text` wherever it stands in the system's own copy of the
// command line (beyond main's `argv`, which the caller wipes), so that no
// list of processes shows it.
void WipeFromCommandLine(std::string_view text);

}  // namespace tarvoss
