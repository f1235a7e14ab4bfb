#pragma once

namespace tarvoss::cli {

// The text of --help.
const char* HelpText();

}  // namespace tarvoss::cli
