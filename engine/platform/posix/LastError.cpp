#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

#include <cerrno>
#include <cstring>

namespace tarvoss {
namespace {
thread_local int lastError = 0;
}

int GetLastError() { return lastError; }

void SetLastError(int code) { lastError = code; }

bool FailWithErrno() {
    lastError = errno;
    return false;
}

bool FailWith(int code) {
    lastError = code;
    return false;
}

std::string DescribeError(int code) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not lie in buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return std::string(text) + "\r\n";
}

}  // namespace tarvoss
