#pragma once
// Finishing in-place transforms that a crash, a kill or a fault interrupted,
// and the size of the windows in which in-place transforms go through their
// recovery journal (see InPlaceJournal.h).

#include "cipher/CipherKey.h"
#include "cipher/FileProgress.h"
#include "cipher/InPlaceOutcome.h"

#include <cstddef>
#include <string>

namespace tarvoss {

// Finishes the pending in-place transform of `path` from its journal, in the
// journal's direction. Done when it is finished, or when none was pending
// (`wasPending` false); otherwise the failure's report says what became of
// the file, and the last error is set. The file is locked as for a transform.
InPlaceResult FinishPendingInPlace(FileProgress& progress, const std::string& path, const CipherKey& key,
                                   bool& wasPending);

// Bytes of plain or encrypted data per window (16 MiB unless set); tests use
// windows of a few blocks to reach every step of small files.
std::size_t InPlaceWindowBytes();
void SetInPlaceWindowBytes(std::size_t bytes);

}  // namespace tarvoss
