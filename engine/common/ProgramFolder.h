#pragma once
// The program's own folders. The program makes the folder of its data the
// current directory, so that the relative paths it uses ("Errors.log",
// "Languages/") resolve there. A build keeps the data beside the executable;
// an installation keeps it in folders relative to the executable (share/ and
// the private library folder), so an installed tree can be moved as a whole.

#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

// The first folder among `candidates` (each relative to `programFolder`, ""
// for the program folder itself, ending in "/" otherwise) that holds
// `entry`, a file or folder name; `programFolder` when none does. The result
// is written without "." or ".." steps and ends in "/".
std::string FindProgramFiles(std::string_view programFolder, const std::vector<std::string_view>& candidates,
                             std::string_view entry);

// The folder holding "Languages/" and "help/": the program's folder in a
// build, the shared data folder of an installation.
std::string ProgramDataFolder();

// The folder holding the help module: the program's folder in a build, the
// program's private library folder of an installation.
std::string ProgramLibraryFolder();

// True when the program runs installed, its data apart from the executable.
bool IsProgramInstalled();

// Makes ProgramDataFolder() the current directory; false when that fails.
bool SetProgramDataFolderCurrent();

}  // namespace tarvoss
