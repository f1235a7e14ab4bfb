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

// The system's description of `code`, ending in CR LF as system descriptions do.
std::string DescribeError(int code);

}  // namespace tarvoss
