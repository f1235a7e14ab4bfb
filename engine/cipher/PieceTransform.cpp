#include "cipher/PieceTransform.h"

#include "cipher/BlockBatch.h"
#include "cipher/BlockCipher.h"
#include "cipher/PiecePlan.h"
#include "cipher/PieceRunner.h"
#include "cipher/TransformProgress.h"
#include "platform/FileRecord.h"
#include "platform/LastError.h"

#include <cstring>
#include <new>
#include <vector>

namespace tarvoss {

namespace {

constexpr std::uint64_t kWritebackFrom = std::uint64_t{16} << 20;

}  // namespace

bool TransformPieces(Direction direction, const FileLayout& layout, FileRecord& input, FileRecord& output,
                     FileProgress& progress, const CipherKey& key, std::int32_t n, const std::atomic<bool>* abandon) {
    const PiecePlan plan(direction, layout);
    const unsigned workers = PieceRunner::WorkersFor(plan.PieceCount());
    std::vector<PieceBuffer> buffers;
    try {
        buffers.reserve(workers);
        for (unsigned worker = 0; worker < workers; ++worker)
            buffers.emplace_back(plan.BufferBytes(), plan.WriteLead());
    } catch (const std::bad_alloc&) {
        return FailWith(ErrorCondition::OutOfMemory);
    }
    TransformProgress advance(progress,
                              direction == Direction::Encrypt ? layout.plainLength : layout.encryptedLength - 1);
    PieceRunner runner(abandon);
    // A large copy has each piece go on its way to the disk as soon as it is
    // written, so that the flush before the copy takes its name finds little
    // left to do, and the disk works while the cipher does. Small copies are
    // left to the flush of their group, which writes many files at once.
    const std::uint64_t outputLength = direction == Direction::Encrypt ? layout.encryptedLength : layout.plainLength;
    const bool startWriteback = outputLength >= kWritebackFrom;
    // The byte an encrypted piece is written after: the header byte, then
    // the last byte of each piece, which its own write keeps back. Only the
    // writer whose turn it is touches it, and turns pass under the runner's
    // lock.
    std::uint8_t byteBefore = layout.tail;

    const auto work = [&](unsigned worker, std::uint64_t index) {
        const Piece piece = plan.At(index);
        std::uint8_t* data = buffers[worker].Data();
        const std::size_t blockBytes = piece.blockCount * layout.blockBytes;
        if (!input.ReadAt(piece.readOffset, data, piece.readLength)) return false;
        // Encryption fills the last block up with zero bytes.
        std::memset(data + piece.readLength, 0, blockBytes - piece.readLength);
        TransformBlocks(direction, kCipherDelta, key, n, data, piece.blockCount);

        // One writer at a time, in order: the file grows front to back, and
        // writers never contend for the file.
        if (!runner.WaitTurnToWrite(index)) return false;
        std::uint8_t* from = data;
        if (piece.WritesByteBefore()) *--from = byteBefore;
        if (!output.WriteAt(piece.writeOffset, from, piece.writeLength)) return false;
        if (startWriteback) output.StartWriteback(piece.writeOffset, piece.writeLength);
        if (piece.WritesByteBefore() && piece.outputLength > 0) byteBefore = data[piece.outputLength - 1];
        runner.Written(index);
        advance.Advance(piece.readLength);
        return true;
    };
    return runner.Run(plan.PieceCount(), workers, work);
}

}  // namespace tarvoss
