#pragma once
// The state one window (or command line) keeps about its runs: the two flags
// and the file progress shared with the worker, and the worker thread itself.

#include <atomic>
#include <functional>
#include <thread>

#include "batch/RunHost.h"
#include "batch/RunInputs.h"
#include "batch/RunResult.h"
#include "cipher/FileProgress.h"

namespace tarvoss {

struct RunState {
    // Set by the Stop action; the run looks at it before each row and each
    // folder entry, and clears it when it stops.
    std::atomic<bool> StopRequested{false};
    // Set from another thread (the command line's second Ctrl+C) to abandon
    // the copy in work at once; each copy clears it when it starts.
    std::atomic<bool> AbandonCopy{false};
    // Set when a worker starts; cleared only by a run that completes.
    std::atomic<bool> RunUnfinished{false};
    // How far the file in work has come; the window's timer and the command
    // line's progress line show it.
    FileProgress filePercent{0};
    // The latest worker. Nothing waits for it during a run; the next start
    // joins it (by then it has ended or is about to).
    std::thread WorkerHandle;

    RunState() = default;
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;
    // A worker still running when the program ends is left to the end of the
    // process, as closing the window during a run does.
    ~RunState();
};

// Starts a worker for `inputs` on its own thread and sets RunUnfinished.
// `finished`, when given, is called on the worker thread with the result as
// its last step. False when no thread could be created (nothing changed).
bool StartWorker(RunState& state, RunHost& host, RunInputs inputs, std::function<void(const RunResult&)> finished = {});

}  // namespace tarvoss
