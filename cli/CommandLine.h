#pragma once
// Reads the arguments of tarvoss-cli into CliOptions. Only the form is checked
// here; the key and the paths are checked by their own readers.

#include <string>
#include <vector>

#include "CliOptions.h"

namespace tarvoss::cli {

// False with `error` naming what is wrong.
bool ParseCommandLine(const std::vector<std::string>& arguments, CliOptions& options, std::string& error);

}  // namespace tarvoss::cli
