#include "cipher/CopyDestination.h"

#include "cipher/TemporaryCopies.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <cerrno>

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

bool CopyDestination::Create(bool replacing) {
    replacing_ = replacing;
    const std::string folder = FolderOfPath(destination_);
    RemoveTemporaryCopiesOnce(folder);
    // A new copy is written without a name and named once complete: a killed
    // run leaves nothing behind, and no rename is needed.
    if (!replacing) {
        if (file_.CreateUnnamed(folder)) {
            unnamed_ = true;
            pending_ = true;
            return true;
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
            return file_.TryLockExclusive();
        }
        if (GetLastError() != EEXIST) return false;
    }
    return false;
}

bool CopyDestination::Commit() {
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
        replacing_ = true;
    }
    // A copy that replaces an older file is on disk before it takes the
    // name, so a power cut cannot leave neither. A new copy is not flushed
    // here: one flush per file would make copying many small files many
    // times slower, and all a power cut can then cost is that copy, whose
    // source is still there (sources are deleted only after their copy was
    // flushed and checked).
    if ((replacing_ && !file_.DataSync()) || !file_.Close() || !RenameFile(written_, destination_)) {
        Discard();
        return false;
    }
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
