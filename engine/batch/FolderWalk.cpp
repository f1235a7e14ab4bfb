#include "batch/FolderWalk.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "batch/EndRunOnStop.h"
#include "batch/ItemProcessor.h"
#include "batch/RunState.h"
#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"

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

// Where one level of a copy walk writes its copies. The destination folder is
// held open and copies are written through it, so a link put in the place of
// a mirrored folder cannot send them elsewhere. When it could not be opened,
// its path stands in, and the copies of its files fail as they are made.
struct Target {
    // Shared with the copies that wait to be named in it (PendingCopies).
    std::shared_ptr<FolderHandle> folder = std::make_shared<FolderHandle>();
    std::string path;  // ending in "/"
    std::string ForCopies() const { return folder->IsOpen() ? folder->PinnedPath() : path; }
    std::shared_ptr<const FolderHandle> OpenFolder() const { return folder->IsOpen() ? folder : nullptr; }
};

// The mirror of the sub-folder `name` below `parent`, made when missing.
// False when something other than a folder (a link, a file) has its name:
// it is never followed, and the sub-folder is not walked.
bool MirrorFolder(BatchRun& run, const Target& parent, const std::string& name, Target& child) {
    child.path = parent.path + name + '/';
    if (run.host.Mode() != ProcessingMode::Copy) return true;
    if (!parent.folder->IsOpen()) {
        CreateDirectory(child.path);  // fails like the parent; its files' copies report it
        return true;
    }
    if (parent.folder->OpenOrMakeChild(name, *child.folder)) return true;
    const int code = GetLastError();
    return !IsError(code, ErrorCondition::Loop) && !IsError(code, ErrorCondition::NotFolder);
}

// Walks the open folder `folder`, whose path is `source` (ending in "/").
// Sub-folders and files are reached only through this handle.
void WalkOpenFolder(BatchRun& run, Direction direction, const FolderHandle& folder, const std::string& source,
                    const Target& target) {
    std::vector<DirectoryEntry> entries;
    if (!folder.List(entries)) {
        ReportUnreadableFolder(run, direction, source);
        return;
    }
    if (ListedHook()) ListedHook()(source);

    for (const DirectoryEntry& entry : entries) {
        if (run.state.StopRequested) EndRunOnStop(run, direction);
        switch (entry.kind) {
        case EntryKind::Folder: {
            if (HoldsCopies(run, entry)) break;
            const std::string path = source + entry.name + '/';
            FolderHandle child;
            Target childTarget;
            // A folder that exists already in the destination is simply used.
            if (!folder.OpenChild(entry, child) || !MirrorFolder(run, target, entry.name, childTarget)) {
                ReportUnreadableFolder(run, direction, path);
                break;
            }
            WalkOpenFolder(run, direction, child, path, childTarget);
            // Succeeds only when every file was deleted and every sub-folder removed.
            if (RemovesEmptiedFolders(run)) folder.RemoveFolder(entry.name);
            break;
        }
        case EntryKind::File: {
            const WalkedFile walked{folder, entry};
            ProcessItem(run, direction, {source + entry.name, target.ForCopies(), &walked, target.OpenFolder()});
            break;
        }
        case EntryKind::Link:     // never followed, never transformed
        case EntryKind::Special:  // FIFOs, sockets, devices: never opened
            break;
        }
    }
}

}  // namespace

void WalkFolder(BatchRun& run, Direction direction, const std::string& folder, const std::string& destination) {
    const std::string source = folder + '/';
    FolderHandle handle;
    if (!handle.Open(folder)) {
        ReportUnreadableFolder(run, direction, source);
        return;
    }
    Target target;
    target.path = destination + '/';
    // The row's destination folder is taken as named (the user chose it).
    if (run.host.Mode() == ProcessingMode::Copy) target.folder->Open(destination);
    WalkOpenFolder(run, direction, handle, source, target);
    // Succeeds only when every file was deleted and every sub-folder removed.
    if (RemovesEmptiedFolders(run)) RemoveDirectory(source);
}

void SetWalkListedHook(std::function<void(const std::string& folder)> hook) { ListedHook() = std::move(hook); }

}  // namespace tarvoss
