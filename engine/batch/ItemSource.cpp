#include "batch/ItemSource.h"

#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"
#include "platform/Trash.h"

namespace tarvoss {

ItemSource::ItemSource(std::string folder, std::string name, const WalkedFile* walked)
    : folder_(std::move(folder)), name_(std::move(name)), path_(folder_ + name_), walked_(walked) {
    held_.showErrors = false;
}

bool ItemSource::Hold() {
    if (walked_ == nullptr || held_.isOpen) return true;
    return walked_->folder.OpenFile(walked_->entry, FileAccess::Read, held_);
}

std::string ItemSource::ReadPath() const {
    if (walked_ == nullptr) return path_;
    return "/proc/self/fd/" + std::to_string(held_.handle);
}

bool ItemSource::TransformInPlace(Direction direction, CipherState& state, const CipherKey& key, std::int32_t n) {
    if (walked_ != nullptr) return Hold() && TransformHeldInPlace(direction, state, key, n);
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    return transform(state, path_, key, n, false);
}

bool ItemSource::TransformHeldInPlace(Direction direction, CipherState& state, const CipherKey& key, std::int32_t n) {
    // Read-only files are transformed too: owner-write is added for the run
    // through the held file and its bits are put back afterwards.
    struct stat info {};
    if (::fstat(held_.handle, &info) != 0) return FailWithErrno();
    const mode_t saved = info.st_mode & 07777;
    const bool madeWritable = (saved & S_IWUSR) == 0;
    if (madeWritable && ::fchmod(held_.handle, saved | S_IWUSR) != 0) return FailWithErrno();
    SetLastError(0);
    bool done = false;
    {
        FileRecord file;
        done = walked_->folder.OpenFile(walked_->entry, FileAccess::ReadWrite, file) &&
               TransformOpenFileInPlace(direction, state, file, key, n);
    }
    int code = GetLastError();
    if (madeWritable && ::fchmod(held_.handle, saved) != 0 && done) {
        done = false;
        code = errno;
    }
    return done ? true : FailWith(code);
}

bool ItemSource::Remove(Direction direction) {
    if (walked_ != nullptr) {
        // Only the file that was transformed is removed: a name that now
        // stands for something else stays.
        DirectoryEntry now;
        if (!walked_->folder.Identify(name_, now)) return false;
        if (now.kind != EntryKind::File || now.device != walked_->entry.device || now.inode != walked_->entry.inode)
            return FailWith(kEntryChanged);
        return RemoveFrom(walked_->folder, name_, direction);
    }
    // A file row: the name in its folder, as the user listed it.
    FolderHandle folder;
    if (!folder.Open(folder_.empty() ? "." : folder_)) return false;
    SetFileAttributesNormal(path_);
    return RemoveFrom(folder, name_, direction);
}

bool ItemSource::RemoveFrom(const FolderHandle& folder, const std::string& name, Direction direction) {
    if (direction == Direction::Decrypt) {
        switch (MoveToTrash(folder.Descriptor(), name, path_)) {
        case TrashOutcome::Trashed: return true;
        case TrashOutcome::Failed: return false;
        case TrashOutcome::NoTrash: break;  // deleted as when encrypting
        }
    }
    return folder.RemoveFile(name);
}

}  // namespace tarvoss
