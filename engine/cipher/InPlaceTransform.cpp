// Encrypting and decrypting a file where it lies.

#include "cipher/FileTransforms.h"

#include "cipher/FileLayout.h"
#include "cipher/PieceTransform.h"
#include "cipher/TransformFailure.h"
#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/LastError.h"

#include <sys/stat.h>

namespace tarvoss {

namespace {

// Reserves real disk space for the first `length` bytes of the file, now
// `currentLength` long, before anything in it changes. When that fails (full
// disk, file size limit) the file keeps its length.
bool ReserveLength(FileRecord& file, std::uint64_t currentLength, std::uint64_t length)
{
    if (file.Allocate(length))
        return true;
    const int code = GetLastError();
    std::uint64_t now = 0;
    if (file.Size(now) && now != currentLength)
        file.Truncate(currentLength);
    return FailWith(code);
}

bool TransformOpenFile(Direction direction, FileRecord& file, CipherState& state, const CipherKey& key,
                       std::int32_t n)
{
    std::uint64_t length = 0;
    if (!file.Size(length))
        return false;
    // Every refusal happens before the first byte is written: the layout
    // check here, then the space on disk once memory and threads are secured.
    FileLayout layout;
    const bool valid = direction == Direction::Encrypt
                           ? LayoutOfPlainFile(length, n, layout)
                           : LayoutOfEncryptedFile(file, length, state.delta, key, n, layout);
    const auto reserve = [&] { return ReserveLength(file, length, layout.encryptedLength); };
    if (!valid || !TransformPieces(direction, layout, file, file, state, key, n, nullptr, reserve))
        return false;
    if (direction == Direction::Decrypt && !file.Truncate(layout.plainLength))
        return false;
    return file.Close();
}

bool TransformInPlace(Direction direction, CipherState& state, const std::string& path, const CipherKey& key,
                      std::int32_t n, bool showErrors)
{
    // Read-only files are transformed too: owner-write is added for the run
    // and the saved bits are put back afterwards.
    FileAttributes saved;
    if (!GetFileAttributes(path, saved) || !SetFileAttributesNormal(path))
        return ReportTransformFailure(showErrors, path);
    SetLastError(0);
    bool done = false;
    {
        FileRecord file;
        file.access = FileAccess::ReadWrite;
        file.openDisposition = Disposition::OpenExisting;
        file.showErrors = false;
        done = file.Open(path) && TransformOpenFile(direction, file, state, key, n);
    }
    int code = GetLastError();
    if ((saved.permissions & S_IWUSR) == 0 && !RestoreFileAttributes(path, saved) && done) {
        done = false;
        code = GetLastError();
    }
    if (!done) {
        SetLastError(code);
        return ReportTransformFailure(showErrors, path);
    }
    state.filePercent.store(100);
    return true;
}

} // namespace

bool TransformOpenFileInPlace(Direction direction, CipherState& state, FileRecord& file, const CipherKey& key,
                              std::int32_t n)
{
    if (!TransformOpenFile(direction, file, state, key, n))
        return false;
    state.filePercent.store(100);
    return true;
}

bool EncryptFileInPlace(CipherState& state, const std::string& path, const CipherKey& key, std::int32_t n,
                        bool showErrors)
{
    return TransformInPlace(Direction::Encrypt, state, path, key, n, showErrors);
}

bool DecryptFileInPlace(CipherState& state, const std::string& path, const CipherKey& key, std::int32_t n,
                        bool showErrors)
{
    return TransformInPlace(Direction::Decrypt, state, path, key, n, showErrors);
}

} // namespace tarvoss
