#pragma once
// Whether an in-place run on a file was interrupted and waits to be finished:
// the file may then be partly transformed, so nothing but finishing that run
// may read it as a whole (a copy of it would hold the mixed bytes, and the
// source could be deleted after it).

#include "platform/FileSystem.h"

namespace tarvoss {

// True when a journal, whole or damaged, is present for the file `identity`.
// One look at a name in the journal folder, nothing is read. Where that look
// itself fails for another reason than a missing name, the journal may be
// there: the answer is then true, so the file is left alone.
bool InPlaceRunInterrupted(const FileIdentity& identity);

}  // namespace tarvoss
