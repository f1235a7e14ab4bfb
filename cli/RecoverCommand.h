#pragma once
// "tarvoss-cli recover": lists the in-place transforms waiting to be finished
// (--list, no key needed), or finishes those of the named files, or all of
// them, with the key they were started with.

#include "CliOptions.h"

namespace tarvoss::cli {

// The exit status: 0 all asked for is finished and nothing of it is pending,
// 1 something could not be finished, 2 a bad key.
int RunRecover(const CliOptions& options);

}  // namespace tarvoss::cli
