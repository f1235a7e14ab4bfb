#include "batch/FolderWalk.h"

#include <algorithm>
#include <vector>

#include "batch/EndRunOnStop.h"
#include "batch/ItemProcessor.h"
#include "batch/RunState.h"
#include "platform/DirectorySearch.h"
#include "platform/FileSystem.h"

namespace tarvoss {
namespace {

bool HoldsCopies(const BatchRun& run, const DirectoryEntry& entry) {
    const FileIdentity identity{entry.device, entry.inode};
    return std::find(run.copyFolders.begin(), run.copyFolders.end(), identity) != run.copyFolders.end();
}

}  // namespace

void WalkFolder(BatchRun& run, Direction direction, const std::string& folder,
                const std::string& destination) {
    const std::string source = folder + '/';
    const std::string target = destination + '/';

    std::vector<DirectoryEntry> entries;
    if (!ListDirectory(source, entries)) return;  // missing or unreadable: nothing to do

    for (const DirectoryEntry& entry : entries) {
        if (run.state.StopRequested) EndRunOnStop(run.host, run.state, TerminatedText(direction));
        switch (entry.kind) {
        case EntryKind::Folder:
            if (HoldsCopies(run, entry)) break;
            // A folder that exists already is simply used; one that cannot be
            // made shows as failed copies of its files.
            if (run.host.Mode() == ProcessingMode::Copy) CreateDirectory(target + entry.name);
            WalkFolder(run, direction, source + entry.name, target + entry.name);
            break;
        case EntryKind::File:
            ProcessItem(run, direction, {entry.name, source, target});
            break;
        case EntryKind::Link:     // never followed, never transformed
        case EntryKind::Special:  // FIFOs, sockets, devices: never opened
            break;
        }
    }

    // Succeeds only when every file was deleted and every sub-folder removed.
    if (run.host.Mode() == ProcessingMode::Copy && run.host.DeleteSources()) RemoveDirectory(source);
}

}  // namespace tarvoss
