#pragma once
// The signals a program that runs transforms takes over, in one place, at
// start and before any thread exists (the window and the command line both
// call it first thing): a write beyond the process's file size limit fails
// with TooLarge like a full disk, instead of ending the process in the middle
// of a file.

namespace tarvoss {

void TakeOverProcessSignals();

}  // namespace tarvoss
