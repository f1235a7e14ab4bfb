#pragma once
// The end of a run that the user stopped. Called from the row loop or from any
// depth of a folder walk; it reports the stop and then unwinds to the top of
// the worker, whose open folder listings and files close on the way out.

#include <string_view>

namespace tarvoss {

class RunHost;
struct RunState;

// Thrown by EndRunOnStop and caught only at the top of the worker.
struct RunStopped {};

// Shows `text` in the status bar and as a log line, clears StopRequested,
// marks the action button ready, then throws RunStopped.
[[noreturn]] void EndRunOnStop(RunHost& host, RunState& state, std::string_view text);

}  // namespace tarvoss
