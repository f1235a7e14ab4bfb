// Confirming a finished copy before its source may be deleted.

#include "cipher/FileTransforms.h"

#include "cipher/BlockCipher.h"
#include "cipher/FileLayout.h"
#include "cipher/PiecePlan.h"
#include "cipher/PieceRunner.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <cstring>
#include <vector>

namespace tarvoss {

namespace {

bool OpenForReading(FileRecord& file, const std::string& path) {
    file.access = FileAccess::Read;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    return file.Open(path);
}

// Encrypts the plain file piece by piece and compares every piece with the
// encrypted file. Both directions are checked this way: the cipher maps
// blocks one to one, so the encrypted file decrypts to the plain one exactly
// when the plain one encrypts to it.
bool EncryptsTo(FileRecord& plain, FileRecord& encrypted, const CipherKey& key, std::int32_t n) {
    std::uint64_t plainLength = 0;
    std::uint64_t encryptedLength = 0;
    FileLayout layout;
    if (!plain.Size(plainLength) || !encrypted.Size(encryptedLength) || !LayoutOfPlainFile(plainLength, n, layout))
        return false;
    std::uint8_t header = 0;
    if (encryptedLength != layout.encryptedLength || !encrypted.ReadAt(0, &header, 1))
        return encryptedLength != layout.encryptedLength ? FailWith(EIO) : false;
    if (header != layout.tail) return FailWith(EIO);

    const PiecePlan plan(Direction::Encrypt, layout);
    const unsigned workers = PieceRunner::WorkersFor(plan.PieceCount());
    std::vector<PieceBuffer> buffers;
    buffers.reserve(2 * workers);
    // Only read into, never written from: no byte before is needed.
    for (unsigned buffer = 0; buffer < 2 * workers; ++buffer) buffers.emplace_back(plan.BufferBytes(), 0);

    const auto work = [&](unsigned worker, std::uint64_t index) {
        const Piece piece = plan.At(index);
        std::uint8_t* expected = buffers[2 * worker].Data();
        std::uint8_t* found = buffers[2 * worker + 1].Data();
        if (!plain.ReadAt(piece.readOffset, expected, piece.readLength) ||
            !encrypted.ReadAt(piece.outputOffset, found, piece.outputLength))
            return false;
        std::memset(expected + piece.readLength, 0, piece.blockCount * layout.blockBytes - piece.readLength);
        TransformBlocks(Direction::Encrypt, kCipherDelta, key, n, expected, piece.blockCount);
        return std::memcmp(expected, found, piece.outputLength) == 0 ? true : FailWith(EIO);
    };
    PieceRunner runner;
    return runner.Run(plan.PieceCount(), workers, work);
}

}  // namespace

bool ConfirmCopy(Direction direction, const std::string& source, const std::string& destination, const CipherKey& key,
                 std::int32_t n) {
    FileRecord copy;
    FileRecord original;
    if (!OpenForReading(copy, destination) || !copy.Sync() || !SyncDirectory(FolderOfPath(destination)) ||
        !OpenForReading(original, source))
        return false;
    return direction == Direction::Encrypt ? EncryptsTo(original, copy, key, n) : EncryptsTo(copy, original, key, n);
}

}  // namespace tarvoss
