// Encrypting and decrypting a file into a copy; the source is only read.

#include "cipher/FileTransforms.h"

#include "cipher/BlockCipher.h"
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

bool TransformToCopy(Direction direction, FileProgress& progress, const std::string& source,
                     const std::string& destination, const CipherKey& key, std::int32_t n, const DeferredName* deferred,
                     const std::atomic<bool>* abandon) {
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
                           : LayoutOfEncryptedFile(input, length, kCipherDelta, key, n, layout);
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
           TransformPieces(direction, layout, input, output.File(), progress, key, n, abandon) &&
           CopyFileAttributes(attributes, output.File()) && input.Close() && output.Commit(deferred);
}

}  // namespace

bool TransformFileToCopy(Direction direction, FileProgress& progress, const std::string& source,
                         const std::string& destination, const CipherKey& key, std::int32_t n,
                         const ErrorReport* report, const DeferredName* deferred, std::atomic<bool>* abandon) {
    if (abandon != nullptr) abandon->store(false);
    if (!TransformToCopy(direction, progress, source, destination, key, n, deferred, abandon))
        return ReportTransformFailure(report, source);
    progress.store(100);
    return true;
}

bool EncryptFileToCopy(FileProgress& progress, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, const ErrorReport* report, std::atomic<bool>* abandon) {
    return TransformFileToCopy(Direction::Encrypt, progress, source, destination, key, n, report, nullptr, abandon);
}

bool DecryptFileToCopy(FileProgress& progress, const std::string& source, const std::string& destination,
                       const CipherKey& key, std::int32_t n, const ErrorReport* report, std::atomic<bool>* abandon) {
    return TransformFileToCopy(Direction::Decrypt, progress, source, destination, key, n, report, nullptr, abandon);
}

}  // namespace tarvoss
