#include "cipher/CopyDestination.h"

#include "cipher/PendingCopies.h"
#include "cipher/TemporaryCopies.h"
#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"

#include <cerrno>
#include <memory>
#include <utility>

namespace tarvoss {

namespace {

constexpr int kNameAttempts = 16;

}  // namespace

CopyDestination::CopyDestination(std::string destination) : destination_(std::move(destination)) {
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
}

CopyDestination::~CopyDestination() { Discard(); }

bool CopyDestination::Create(bool replacing, std::uint64_t length) {
    length_ = length;
    const std::string folder = FolderOfPath(destination_);
    RemoveTemporaryCopiesOnce(folder);
    // A new copy is written without a name and named once complete: a killed
    // run leaves nothing behind, and no rename is needed.
    if (!replacing) {
        if (file_.CreateUnnamed(folder)) {
            unnamed_ = true;
            pending_ = true;
            return file_.AllocateIfCheap(length_);
        }
        const int code = GetLastError();
        if (code != EOPNOTSUPP && code != EISDIR && code != EINVAL) return false;
    }
    return CreateNamed();
}

bool CopyDestination::CreateNamed() {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        written_ = TemporaryCopyName(destination_);
        if (file_.Create(written_)) {
            pending_ = true;
            // Held while the copy is written, so that no clean-up takes it for a leftover.
            return file_.TryLockExclusive() && file_.AllocateIfCheap(length_);
        }
        if (GetLastError() != EEXIST) return false;
    }
    return false;
}

bool CopyDestination::Commit(const DeferredName* deferred) {
    if (unnamed_ && deferred != nullptr && Defer(*deferred)) return true;
    // Every copy is on the disk before it takes its name, so that a power cut
    // cannot leave a name without its bytes, nor an older file replaced by
    // less than the whole copy.
    if (!file_.DataSync()) {
        Discard();
        return false;
    }
    if (unnamed_) {
        if (file_.LinkAs(destination_) && file_.Close()) {
            pending_ = false;
            return true;
        }
        // The name was taken meanwhile: the copy replaces that file as any
        // other copy does, through a temporary name.
        if (!file_.isOpen || GetLastError() != EEXIST) {
            Discard();
            return false;
        }
        written_ = TemporaryCopyName(destination_);
        if (!file_.LinkAs(written_) || !file_.TryLockExclusive()) {
            Discard();
            return false;
        }
        unnamed_ = false;
    }
    if (!file_.Close() || !RenameFile(written_, destination_)) {
        Discard();
        return false;
    }
    pending_ = false;
    return true;
}

bool CopyDestination::Defer(const DeferredName& deferred) {
    const std::string folder = FolderOfPath(destination_);
    std::shared_ptr<const FolderHandle> handle = deferred.folder;
    if (handle == nullptr) {
        auto opened = std::make_shared<FolderHandle>();
        if (!opened->Open(folder)) return false;
        handle = std::move(opened);
    }
    deferred.copies.Add(std::move(file_), std::move(handle), destination_.substr(folder.size()), length_,
                        deferred.label);
    pending_ = false;
    return true;
}

void CopyDestination::Discard() {
    if (!pending_) return;
    // Removing the file must not hide why the copy failed.
    const int code = GetLastError();
    if (file_.isOpen) file_.Close();
    if (!unnamed_) DeleteFile(written_);
    pending_ = false;
    SetLastError(code);
}

}  // namespace tarvoss
