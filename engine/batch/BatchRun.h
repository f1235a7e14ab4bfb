#pragma once
// What one run carries down into its item processing and folder walks.

#include <cstddef>
#include <set>
#include <utility>
#include <vector>

#include "batch/RunHost.h"
#include "batch/RunInputs.h"
#include "batch/RunTexts.h"
#include "cipher/PendingCopies.h"
#include "platform/FileSystem.h"

namespace tarvoss {

struct RunState;

struct BatchRun {
    RunHost& host;
    RunState& state;
    const CipherKey& key;
    const RunTexts& texts;
    // Folders that hold this run's copies: the destination directory and the
    // target folder of the row in work. A walk never enters them, so a
    // destination inside a walked folder does not make the run process its
    // own copies.
    std::vector<FileIdentity> copyFolders;
    // Copies whose source this run deleted: they are the only copy left, so a
    // later item of the same run must not overwrite them.
    std::set<std::pair<std::uint64_t, std::uint64_t>> soleCopies;
    // Files (device, inode) this run has transformed in place, or tried to.
    std::set<std::pair<std::uint64_t, std::uint64_t>> inPlaceFiles;
    // New copies that wait, complete, to be flushed and named as a group.
    // They are named before the run reports its end, however it ends.
    PendingCopies pendingCopies;
    std::size_t failedItems = 0;

    BatchRun(RunHost& runHost, RunState& runState, const RunInputs& inputs)
        : host(runHost), state(runState), key(inputs.key), texts(inputs.texts) {}
};

}  // namespace tarvoss
