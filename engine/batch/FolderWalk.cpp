#include "batch/FolderWalk.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "batch/EndRunOnStop.h"
#include "batch/ItemProcessor.h"
#include "batch/RunState.h"
#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"

namespace tarvoss {
namespace {

std::function<void(const std::string&)>& ListedHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

bool HoldsCopies(const BatchRun& run, const DirectoryEntry& entry) {
    const FileIdentity identity{entry.device, entry.inode};
    return std::find(run.copyFolders.begin(), run.copyFolders.end(), identity) != run.copyFolders.end();
}

bool RemovesEmptiedFolders(BatchRun& run) {
    return run.host.Mode() == ProcessingMode::Copy && run.host.DeleteSources();
}

// Walks the open folder `folder`, whose path is `source` (ending in "/").
// Sub-folders and files are reached only through this handle.
void WalkOpenFolder(BatchRun& run, Direction direction, const FolderHandle& folder, const std::string& source,
                    const std::string& target) {
    std::vector<DirectoryEntry> entries;
    if (!folder.List(entries)) {
        ReportUnreadableFolder(run, direction, source);
        return;
    }
    if (ListedHook()) ListedHook()(source);

    for (const DirectoryEntry& entry : entries) {
        if (run.state.StopRequested) EndRunOnStop(run.host, run.state, TerminatedText(direction));
        switch (entry.kind) {
        case EntryKind::Folder: {
            if (HoldsCopies(run, entry)) break;
            const std::string path = source + entry.name + '/';
            FolderHandle child;
            if (!folder.OpenChild(entry, child)) {
                ReportUnreadableFolder(run, direction, path);
                break;
            }
            // A folder that exists already is simply used; one that cannot be
            // made shows as failed copies of its files.
            if (run.host.Mode() == ProcessingMode::Copy) CreateDirectory(target + entry.name);
            WalkOpenFolder(run, direction, child, path, target + entry.name + '/');
            // Succeeds only when every file was deleted and every sub-folder removed.
            if (RemovesEmptiedFolders(run)) folder.RemoveFolder(entry.name);
            break;
        }
        case EntryKind::File: {
            const WalkedFile walked{folder, entry};
            ProcessItem(run, direction, {entry.name, source, target, &walked});
            break;
        }
        case EntryKind::Link:     // never followed, never transformed
        case EntryKind::Special:  // FIFOs, sockets, devices: never opened
            break;
        }
    }
}

}  // namespace

void WalkFolder(BatchRun& run, Direction direction, const std::string& folder,
                const std::string& destination) {
    const std::string source = folder + '/';
    FolderHandle handle;
    if (!handle.Open(folder)) {
        ReportUnreadableFolder(run, direction, source);
        return;
    }
    WalkOpenFolder(run, direction, handle, source, destination + '/');
    // Succeeds only when every file was deleted and every sub-folder removed.
    if (RemovesEmptiedFolders(run)) RemoveDirectory(source);
}

void SetWalkListedHook(std::function<void(const std::string& folder)> hook) { ListedHook() = std::move(hook); }

}  // namespace tarvoss
