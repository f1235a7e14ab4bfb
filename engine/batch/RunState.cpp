#include "batch/RunState.h"

#include <system_error>
#include <utility>

#include "batch/BatchWorker.h"

namespace tarvoss {

RunState::~RunState() {
    if (WorkerHandle.joinable()) WorkerHandle.detach();
}

bool StartWorker(RunState& state, RunHost& host, RunInputs inputs, std::function<void(const RunResult&)> finished) {
    if (state.WorkerHandle.joinable()) state.WorkerHandle.join();
    // Set before the thread exists, so a run that completes at once clears it.
    const bool wasUnfinished = state.RunUnfinished.exchange(true);
    try {
        state.WorkerHandle =
            std::thread([&state, &host, inputs = std::move(inputs), finished = std::move(finished)]() mutable {
                const RunResult result = RunWorker(host, state, std::move(inputs));
                if (finished) finished(result);
            });
    } catch (const std::system_error&) {
        state.RunUnfinished = wasUnfinished;
        return false;
    }
    return true;
}

}  // namespace tarvoss
