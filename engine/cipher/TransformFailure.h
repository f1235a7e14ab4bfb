#pragma once
// How a transform that was asked to show its errors reports its failure.

#include <string>

namespace tarvoss {

// With `showErrors` set, reports the calling thread's last error: a file that
// is not an encrypted file in the error box "The specified file has an invalid
// format:" with `path`, any other failure as a system error. Returns false.
bool ReportTransformFailure(bool showErrors, const std::string& path);

}  // namespace tarvoss
