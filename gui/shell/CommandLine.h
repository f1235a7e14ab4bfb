#pragma once
// The path that the program is started with. The command line is taken as one
// text, the program's full path followed by the arguments joined by spaces, so
// several arguments arrive as one path joined by spaces.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

// The program's full path followed by each argument, separated by spaces.
std::string JoinCommandLine(std::string_view programPath,
                            const std::vector<std::string>& arguments);

// The path to add to the file list, or nothing when the command line names
// only the program. Double quotes are dropped and spaces trimmed; the rest
// after the program's path and one separating character is the path.
std::optional<std::string> PathFromCommandLine(std::string_view commandLine,
                                               std::string_view programPath);

}  // namespace tarvoss
