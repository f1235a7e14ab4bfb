#pragma once
// The signals a program that runs transforms takes over, in one place, at
// start and before any thread exists (the window and the command line both
// call it first thing):
// - SIGXFSZ is ignored: a file-size limit (ulimit -f) then fails a write with
//   EFBIG like a full disk, instead of killing the process in the middle of
//   a file.
// - SIGBUS goes to the mapped source's handler: a source file that shrinks
//   while a copy reads it through a mapping fails that copy (EIO) instead of
//   ending the process. Any other bus error still ends it as usual.

namespace tarvoss {

void TakeOverProcessSignals();

}  // namespace tarvoss
