#pragma once
// Making the program's own folder the current directory, so that the relative
// paths the program uses ("Errors.log", "Languages/") resolve beside it.

#include <string_view>

namespace tarvoss {

// Makes the folder of `programPath` (a full path) the current directory.
// Returns true on success; a failure is not reported.
bool SetProgramFolderCurrent(std::string_view programPath);

}  // namespace tarvoss
