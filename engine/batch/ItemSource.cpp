#include "batch/ItemSource.h"

#include <utility>

#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/PathText.h"
#include "platform/Trash.h"

namespace tarvoss {

ItemSource::ItemSource(std::string path, const WalkedFile* walked)
    : path_(std::move(path)), nameAt_(FolderOfPath(path_).size()), walked_(walked) {
    held_.showErrors = false;
}

bool ItemSource::Hold() {
    if (walked_ == nullptr || held_.isOpen) return true;
    return walked_->folder.OpenFile(walked_->entry, FileAccess::Read, held_);
}

std::string ItemSource::ReadPath() const {
    if (walked_ == nullptr) return path_;
    return held_.PinnedPath();
}

bool ItemSource::Identify(FileIdentity& identity) const {
    if (walked_ == nullptr) return GetFileIdentity(path_, identity);
    identity = {walked_->entry.device, walked_->entry.inode};
    return true;
}

SourceRemoval ItemSource::Remove(Direction direction) {
    if (walked_ != nullptr) {
        // Only the file that was transformed is removed: a name that now
        // stands for something else stays.
        DirectoryEntry now;
        if (!walked_->folder.Identify(walked_->entry.name, now)) return SourceRemoval::Failed;
        if (now.kind != EntryKind::File || now.device != walked_->entry.device || now.inode != walked_->entry.inode) {
            FailWith(kEntryChanged);
            return SourceRemoval::Failed;
        }
        return RemoveFrom(walked_->folder, walked_->entry.name, direction);
    }
    // A file row: the name in its folder, as the user listed it.
    const std::string_view folderPath = std::string_view(path_).substr(0, nameAt_);
    FolderHandle folder;
    if (!folder.Open(folderPath.empty() ? "." : std::string(folderPath))) return SourceRemoval::Failed;
    if (direction == Direction::Encrypt) SetFileAttributesNormal(path_);
    return RemoveFrom(folder, std::string(Name()), direction);
}

SourceRemoval ItemSource::RemoveFrom(const FolderHandle& folder, const std::string& name, Direction direction) {
    if (direction == Direction::Decrypt) {
        // Never deleted for good: where no trash can take it, it stays.
        switch (MoveToTrash(folder, name, path_)) {
        case TrashOutcome::Trashed: return SourceRemoval::Removed;
        case TrashOutcome::Failed: return SourceRemoval::Failed;
        case TrashOutcome::NoTrash: return SourceRemoval::NoTrash;
        }
    }
    return folder.RemoveFile(name) ? SourceRemoval::Removed : SourceRemoval::Failed;
}

}  // namespace tarvoss
