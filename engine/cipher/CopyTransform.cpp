// Encrypting and decrypting a file into a copy; the source is only read.

#include "cipher/FileTransforms.h"

#include "cipher/CopyDestination.h"
#include "cipher/FileLayout.h"
#include "cipher/PieceTransform.h"
#include "cipher/TransformFailure.h"
#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss {

namespace {

// The destination may be replaced: it is missing, or it is another file than
// the source that could be opened for writing (not a folder, not read-only).
bool DestinationReplaceable(const std::string& source, const std::string& destination, bool& exists) {
    FileIdentity existing;
    exists = GetFileIdentity(destination, existing);
    if (!exists) return IsError(GetLastError(), ErrorCondition::NotFound);  // a dangling link counts as missing
    if (IsSameFile(source, destination)) return FailWith(kSameFileError);
    FileRecord file;
    file.access = FileAccess::ReadWrite;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    return file.Open(destination) && file.Close();
}

bool TransformToCopy(Direction direction, CipherState& state, const std::string& source, const std::string& destination,
                     const CipherKey& key, std::int32_t n, const DeferredName* deferred) {
    FileRecord input;
    input.access = FileAccess::Read;
    input.openDisposition = Disposition::OpenExisting;
    input.showErrors = false;
    std::uint64_t length = 0;
    if (!input.Open(source) || !input.Size(length)) return false;
    // Every refusal happens here, before anything is created.
    FileLayout layout;
    const bool valid = direction == Direction::Encrypt
                           ? LayoutOfPlainFile(length, n, layout)
                           : LayoutOfEncryptedFile(input, length, state.delta, key, n, layout);
    FileAttributes attributes;
    bool destinationExists = false;
    if (!valid || !GetFileAttributes(source, attributes) ||
        !DestinationReplaceable(source, destination, destinationExists))
        return false;

    // Reserving the copy's whole length on disk at once (its length grows
    // with the writes as before) fails a copy the disk has no room for before
    // it is written, and spares the file system finding room
    // for every block as it comes (about a third of the kernel's cost of
    // writing the copy).
    const std::uint64_t copyLength = direction == Direction::Encrypt ? layout.encryptedLength : layout.plainLength;
    CopyDestination output(destination);
    return output.Create(destinationExists, copyLength) &&
           TransformPieces(direction, layout, input, output.File(), state, key, n, &AbandonCopyRequested()) &&
           CopyFileAttributes(attributes, output.File()) && input.Close() && output.Commit(deferred);
}

}  // namespace

std::atomic<bool>& AbandonCopyRequested() {
    static std::atomic<bool> requested{false};
    return requested;
}

bool TransformFileToCopy(Direction direction, CipherState& state, const std::string& source,
                         const std::string& destination, const CipherKey& key, std::int32_t n, bool showErrors,
                         const DeferredName* deferred) {
    AbandonCopyRequested().store(false);
    if (!TransformToCopy(direction, state, source, destination, key, n, deferred))
        return ReportTransformFailure(showErrors, source);
    state.filePercent.store(100);
    return true;
}

bool EncryptFileToCopy(CipherState& state, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, bool showErrors) {
    return TransformFileToCopy(Direction::Encrypt, state, source, destination, key, n, showErrors, nullptr);
}

bool DecryptFileToCopy(CipherState& state, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, bool showErrors) {
    return TransformFileToCopy(Direction::Decrypt, state, source, destination, key, n, showErrors, nullptr);
}

}  // namespace tarvoss
