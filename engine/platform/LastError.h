#pragma once
// The calling thread's last system error, as the file layer and the error
// report see it. Every failing platform call sets it from the system's code right away, so
// a report made later on the same thread describes the call that failed.

#include <string>

#include "platform/ErrorCondition.h"

namespace tarvoss {

int GetLastError();
void SetLastError(int code);
// Sets `code` as the last error and returns false.
bool FailWith(int code);
// Sets the system's code for `condition` as the last error and returns false.
inline bool FailWith(ErrorCondition condition) { return FailWith(ErrorCode(condition)); }

// Whether the last error came from reading a file, so that a message can say
// the file could not be read rather than name only the system's reason. Every
// call above that sets the last error clears the mark; only FailReading sets it.
bool LastErrorIsRead();
// Sets `code` as the last error of a failed read and returns false.
bool FailReading(int code);

// Keeps the thread's last error, read mark included, across clean-up steps
// that may set their own: it is put back when the keeper goes away.
class KeepLastError {
public:
    KeepLastError();
    ~KeepLastError();
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

private:
    int code_;
    bool isRead_;
};

// The system's description of `code`, ending in CR LF as system descriptions do.
std::string DescribeError(int code);

}  // namespace tarvoss
