#pragma once
// The paths of the command line as rows of the list, decided as the window
// decides them: a file, a folder, or a disk root ("/" or the top of a mounted
// file system). Paths are made absolute, since a run may change the current
// folder.

#include <string>
#include <vector>

#include "batch/RunRow.h"

namespace tarvoss::cli {

// False with `error` naming the path that does not exist or is listed twice.
bool ListRows(const std::vector<std::string>& paths, std::vector<RunRow>& rows, std::string& error);

}  // namespace tarvoss::cli
