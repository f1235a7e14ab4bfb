#include "cipher/TransformFailure.h"

#include "cipher/FileTransforms.h"
#include "common/ErrorReport.h"
#include "common/MessageBoxes.h"
#include "platform/LastError.h"

namespace tarvoss {

bool ReportTransformFailure(const ErrorReport* report, const std::string& path) {
    if (report == nullptr) return false;
    // The report writes the error log; the caller still reads the failure's code.
    const int code = GetLastError();
    if (code == kNotEncryptedFile)
        report->Boxes().ShowError("The specified file has an invalid format:\r\n" + path, "Error");
    else
        report->ReportSystemError();
    return FailWith(code);
}

}  // namespace tarvoss
