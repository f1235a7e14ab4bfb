#pragma once
// The end of a run that the user stopped. Called from the row loop or from any
// depth of a folder walk; it reports the stop and then unwinds to the top of
// the worker, whose open folder listings and files close on the way out.

#include "cipher/FileTransforms.h"

namespace tarvoss {

struct BatchRun;

// Thrown by EndRunOnStop and caught only at the top of the worker.
struct RunStopped {};

// Names the copies that wait, shows the direction's "terminated by user" text
// in the status bar and as a log line, clears StopRequested, marks the action
// button ready, then throws RunStopped.
[[noreturn]] void EndRunOnStop(BatchRun& run, Direction direction);

}  // namespace tarvoss
