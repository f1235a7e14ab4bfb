#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

#include <cerrno>
#include <cstring>

namespace tarvoss {
namespace {
thread_local int lastError = 0;
thread_local bool lastErrorIsRead = false;
}  // namespace

int GetLastError() { return lastError; }

void SetLastError(int code) {
    lastError = code;
    lastErrorIsRead = false;
}

bool FailWithErrno() { return FailWith(errno); }

bool FailWith(int code) {
    SetLastError(code);
    return false;
}

bool LastErrorIsRead() { return lastErrorIsRead; }

bool FailReading(int code) {
    lastError = code;
    lastErrorIsRead = true;
    return false;
}

KeepLastError::KeepLastError() : code_(lastError), isRead_(lastErrorIsRead) {}

KeepLastError::~KeepLastError() {
    lastError = code_;
    lastErrorIsRead = isRead_;
}

std::string DescribeError(int code) {
    char buffer[256];
    // The GNU strerror_r returns the text, which may or may not lie in buffer.
    const char* text = strerror_r(code, buffer, sizeof buffer);
    return std::string(text) + "\r\n";
}

}  // namespace tarvoss
