#pragma once
// The walk of one folder: every file below it goes to the item processor,
// depth first in name order; copy mode mirrors the sub-folders in the
// destination; with deletion on, emptied source folders are removed.
//
// Inside a walk, links are neither followed nor transformed and FIFOs,
// sockets and devices are skipped unopened. Folders and files are opened,
// and removed, relative to their folder's open handle and only while they
// are still what the listing saw, so a name swapped for a link mid-run never
// leads out of the tree. A folder that cannot be opened or listed is a failed
// item. Folders holding this run's copies
// are never entered. A stop request seen before an entry ends the run
// (EndRunOnStop does not return).

#include <functional>
#include <string>

#include "batch/BatchRun.h"
#include "cipher/FileTransforms.h"

namespace tarvoss {

// `folder` and `destination` come without a final "/"; a whole disk comes as
// its root without the final "/" ("" for "/").
void WalkFolder(BatchRun& run, Direction direction, const std::string& folder, const std::string& destination);

// Called with the folder's path (ending in "/") after each folder is listed
// and before any of its entries is opened; tests change the tree there.
void SetWalkListedHook(std::function<void(const std::string& folder)> hook);

}  // namespace tarvoss
