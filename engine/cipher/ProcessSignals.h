#pragma once
// The signals a program that runs transforms takes over, in one place, at
// start and before any thread exists (the window and the command line both
// call it first thing): SIGXFSZ is ignored, so that a file-size limit
// (ulimit -f) fails a write with EFBIG like a full disk, instead of killing
// the process in the middle of a file.

namespace tarvoss {

void TakeOverProcessSignals();

}  // namespace tarvoss
