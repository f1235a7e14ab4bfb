#include "cipher/CopyDestination.h"

#include "cipher/PendingCopies.h"
#include "cipher/TemporaryCopies.h"
#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"

#include <memory>
#include <utility>

namespace tarvoss {

namespace {

constexpr int kNameAttempts = 16;

}  // namespace

bool NameFinishedCopy(FileRecord& file, const FolderHandle& folder, const std::string& name) {
    if (file.LinkAt(folder, name)) {
        if (file.Close()) return true;
        // Nothing had the name before: the copy goes with its failure.
        const int code = GetLastError();
        folder.RemoveFile(name);
        return FailWith(code);
    }
    if (!IsError(GetLastError(), ErrorCondition::Exists)) return false;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string temporary = TemporaryCopyName(name);
        if (!file.LinkAt(folder, temporary)) {
            if (IsError(GetLastError(), ErrorCondition::Exists)) continue;
            return false;
        }
        // Locked while it has the temporary name, so that no clean-up takes
        // it for a leftover. Once renamed, the file it replaced is gone and
        // the copy, whole and on the disk, stays even when its close fails.
        if (file.TryLockExclusive() && folder.Rename(temporary, name)) return file.Close();
        const int code = GetLastError();
        folder.RemoveFile(temporary);
        return FailWith(code);
    }
    return false;
}

CopyDestination::CopyDestination(std::string destination)
    : destination_(std::move(destination)),
      folder_(FolderOfPath(destination_)),
      name_(destination_.substr(folder_.size())) {
    // A bare name lies in the current folder.
    if (folder_.empty()) folder_ = "./";
    file_.access = FileAccess::ReadWrite;
    file_.createDisposition = Disposition::CreateNew;
    file_.showErrors = false;
}

CopyDestination::~CopyDestination() { Discard(); }

bool CopyDestination::Create(bool replacing, std::uint64_t length) {
    length_ = length;
    RemoveTemporaryCopiesOnce(folder_);
    // A new copy is written without a name and named once complete: a killed
    // run leaves nothing behind, and no rename is needed.
    if (!replacing) {
        if (file_.CreateUnnamed(folder_)) {
            unnamed_ = true;
            pending_ = true;
            return file_.AllocateIfCheap(length_);
        }
        const int code = GetLastError();
        if (!IsError(code, ErrorCondition::NoUnnamedFiles)) return false;
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
        if (!IsError(GetLastError(), ErrorCondition::Exists)) return false;
    }
    return false;
}

bool CopyDestination::Commit(const DeferredName* deferred) {
    if (unnamed_ && deferred != nullptr && Defer(*deferred)) return true;
    // Every copy is on the disk before it takes its name, so that a power cut
    // cannot leave a name without its bytes, nor an older file replaced by
    // less than the whole copy.
    bool named = file_.DataSync();
    if (named && unnamed_) {
        FolderHandle folder;
        named = folder.Open(folder_) && NameFinishedCopy(file_, folder, name_);
    } else if (named) {
        // Closed first: the older file is kept should the close fail.
        named = file_.Close() && RenameFile(written_, destination_);
    }
    if (!named) {
        Discard();
        return false;
    }
    pending_ = false;
    return true;
}

bool CopyDestination::Defer(const DeferredName& deferred) {
    std::shared_ptr<const FolderHandle> handle = deferred.folder;
    if (handle == nullptr) {
        auto opened = std::make_shared<FolderHandle>();
        if (!opened->Open(folder_)) return false;
        handle = std::move(opened);
    }
    deferred.copies.Add(std::move(file_), std::move(handle), name_, length_, deferred.label);
    pending_ = false;
    return true;
}

void CopyDestination::Discard() {
    if (!pending_) return;
    // Removing the file must not hide why the copy failed.
    const KeepLastError keep;
    if (file_.isOpen) file_.Close();
    if (!unnamed_) DeleteFile(written_);
    pending_ = false;
}

}  // namespace tarvoss
