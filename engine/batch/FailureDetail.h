#pragma once
// The detail line under a file that failed in a run.

#include <string>
#include <string_view>

#include "cipher/FileTransforms.h"

namespace tarvoss {

struct RunTexts;

// Called right after the transform of `source` failed: the run's text for a
// file too large for the encrypted layout when it is one, otherwise the
// direction's usual detail. The thread's last error is left as the transform
// set it.
std::string_view ItemFailureDetail(Direction direction, const std::string& source, const RunTexts& texts);

}  // namespace tarvoss
