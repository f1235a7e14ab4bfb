#pragma once
// The calling thread's last system error, as the file layer and the error
// report see it. Every failing platform call sets it from errno right away, so
// a report made later on the same thread describes the call that failed.

#include <string>

namespace tarvoss {

int GetLastError();
void SetLastError(int code);
// Takes errno as the last error and returns false, so that a failing call can
// end with `return FailWithErrno();`.
bool FailWithErrno();
// Sets `code` as the last error and returns false.
bool FailWith(int code);

// The system's description of `code`, ending in CR LF as system descriptions do.
std::string DescribeError(int code);

}  // namespace tarvoss
