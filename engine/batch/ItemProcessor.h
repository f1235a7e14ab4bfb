#pragma once
// One file of a run: announce it in the log, transform it in place or into a
// copy, end its line with "OK" or the failure mark and a detail line, and
// delete the source when asked. Encrypting and decrypting are the same steps
// with the texts and transforms of their direction.

#include <memory>
#include <string>

#include "batch/BatchRun.h"
#include "batch/ItemSource.h"
#include "cipher/FileTransforms.h"

namespace tarvoss {

struct ItemPaths {
    std::string source;                  // the file's full path
    std::string destination;             // the destination folder, ending in "/" (copy mode)
    const WalkedFile* walked = nullptr;  // set when a walk met the file
    // The destination folder held open, when a walk holds it (copy mode).
    std::shared_ptr<const FolderHandle> destinationFolder = nullptr;
};

void ProcessItem(BatchRun& run, Direction direction, const ItemPaths& paths);

// Flushes and names the new copies that wait in `run`. A copy that cannot be
// named (see NameFinishedCopy) fails its item: the item gets a line of its
// own with the failure mark and the system's reason, and counts as failed.
void NameWaitingCopies(BatchRun& run, Direction direction);

// A folder of a walk that cannot be opened or listed is a failed item: its
// own line (the folder's path, ending in "/"), the failure mark and the
// system's reason, as for a file.
void ReportUnreadableFolder(BatchRun& run, Direction direction, const std::string& folder);

}  // namespace tarvoss
