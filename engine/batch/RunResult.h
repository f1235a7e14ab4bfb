#pragma once
// How a run ended, for front ends that wait for it (the command line).

#include <cstddef>

namespace tarvoss {

enum class RunOutcome {
    Completed,    // every row was processed; the finish line was written
    Stopped,      // the user stopped it
    Abandoned,    // a destination folder could not be made
    OutOfMemory,  // memory ran out; the rest of the list was left alone
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    // Items whose log line ended in the failure mark (transform, check of the
    // copy, or deletion of the source).
    std::size_t failedItems = 0;
};

}  // namespace tarvoss
