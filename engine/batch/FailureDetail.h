#pragma once
// The detail line under a file that failed in a run.

#include <string>
#include <string_view>

#include "cipher/FileTransforms.h"

namespace tarvoss {

inline constexpr std::string_view kTooLargeForLayout =
    "The file is larger than 4 GB, which the encrypted layout cannot hold.";

// Called right after the transform of `source` failed: the reason when the
// file is too large for the encrypted layout, otherwise the direction's usual
// detail. The thread's last error is left as the transform set it.
std::string_view ItemFailureDetail(Direction direction, const std::string& source);

}  // namespace tarvoss
