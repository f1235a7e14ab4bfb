#pragma once
// The run itself: walks the rows of the list from the top and hands each to
// the item processor (a file) or the folder walk (a folder or a disk root).
// Encrypting and decrypting runs are one routine with the texts and
// transforms of their direction.

#include "batch/RunHost.h"
#include "batch/RunInputs.h"
#include "batch/RunResult.h"

namespace tarvoss {

struct RunState;

// Runs on the calling thread until the run completes, is stopped or is
// abandoned, and reports everything through `host`. The key words go with
// `inputs` when the run ends.
RunResult RunWorker(RunHost& host, RunState& state, RunInputs inputs);

}  // namespace tarvoss
