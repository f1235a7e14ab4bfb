#pragma once
// How a transform that was handed a report reports its failure.

#include <string>

namespace tarvoss {

class ErrorReport;

// With a `report`, reports the calling thread's last error: a file that is
// not an encrypted file in the error box "The specified file has an invalid
// format:" with `path`, any other failure as a system error. Returns false.
bool ReportTransformFailure(const ErrorReport* report, const std::string& path);

}  // namespace tarvoss
