#include "cipher/PiecePlan.h"

#include <algorithm>

namespace tarvoss {

namespace {

// Large enough for few system calls, small enough to stay in the processor's
// cache between reading, enciphering and writing. With two workers this is
// 1 MiB of buffers in all.
constexpr std::uint64_t kPieceBytes = std::uint64_t{1} << 19;

std::uint64_t RoundUp(std::uint64_t value, std::uint64_t unit) { return (value + unit - 1) / unit * unit; }

}  // namespace

PiecePlan::PiecePlan(Direction direction, const FileLayout& layout)
    : direction_(direction),
      blockBytes_(layout.blockBytes),
      pieceBytes_(kPieceBytes / layout.blockBytes * layout.blockBytes) {
    const std::uint64_t encryptedData = layout.encryptedLength - 1;
    if (direction == Direction::Encrypt) {
        readStart_ = 0;
        readLength_ = layout.plainLength;
        outputStart_ = 1;
        outputLength_ = encryptedData;
        // An empty file still gets its header byte: one empty piece.
        pieceCount_ = std::max<std::uint64_t>(1, RoundUp(readLength_, pieceBytes_) / pieceBytes_);
    } else {
        readStart_ = 1;
        readLength_ = encryptedData;
        outputStart_ = 0;
        outputLength_ = layout.plainLength;
        pieceCount_ = RoundUp(readLength_, pieceBytes_) / pieceBytes_;
    }
    bufferBytes_ = static_cast<std::size_t>(
        std::max<std::uint64_t>(blockBytes_, std::min(pieceBytes_, RoundUp(readLength_, blockBytes_))));
}

Piece PiecePlan::At(std::uint64_t index) const {
    const std::uint64_t offset = index * pieceBytes_;
    Piece piece;
    piece.readOffset = readStart_ + offset;
    piece.readLength = static_cast<std::size_t>(std::min(pieceBytes_, readLength_ - offset));
    piece.blockCount = static_cast<std::size_t>(RoundUp(piece.readLength, blockBytes_) / blockBytes_);
    piece.outputOffset = outputStart_ + offset;
    piece.outputLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(piece.blockCount * blockBytes_, outputLength_ - offset));
    // The lead byte is the byte before; the last piece also writes the byte
    // it would otherwise keep back for a next one.
    piece.writeOffset = piece.outputOffset - WriteLead();
    piece.writeLength = piece.outputLength + (index + 1 == pieceCount_ ? WriteLead() : 0);
    return piece;
}

PieceBuffer::PieceBuffer(std::size_t bytes, std::size_t writeLead)
    : storage_(static_cast<std::uint8_t*>(
          ::operator new[](kPageBytes / 2 + writeLead + bytes, std::align_val_t{kPageBytes}))),
      writeLead_(writeLead) {}

}  // namespace tarvoss
