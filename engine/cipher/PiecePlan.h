#pragma once
// How a transform cuts a file into pieces of 512 KiB, and where each
// piece is read and written. The plain side of a file starts at offset 0, the
// encrypted side after the header byte at offset 1.

#include "cipher/FileLayout.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace tarvoss {

struct Piece {
    std::uint64_t readOffset = 0;
    std::size_t readLength = 0;
    std::size_t blockCount = 0;  // blocks to transform; the last may be partly beyond readLength
    // Where the transformed bytes of the piece belong.
    std::uint64_t outputOffset = 0;
    std::size_t outputLength = 0;
    // What is written for the piece. Encryption writes one byte early: the
    // byte before the piece (the header byte, or the last byte of the piece
    // before, which that piece kept back) goes first, and every piece but the
    // last keeps back its own last byte. Each write then covers exactly the
    // bytes its piece was read from: for the common block length it starts
    // on a page boundary, where the page cache takes it in whole pages.
    std::uint64_t writeOffset = 0;
    std::size_t writeLength = 0;

    // The write starts with the byte before the piece.
    bool WritesByteBefore() const { return writeOffset < outputOffset; }
};

class PiecePlan {
public:
    PiecePlan(Direction direction, const FileLayout& layout);

    std::uint64_t PieceCount() const { return pieceCount_; }
    Piece At(std::uint64_t index) const;
    // Bytes a piece buffer needs: a whole piece, or less for a small file.
    std::size_t BufferBytes() const { return bufferBytes_; }
    // Bytes every write starts before the piece's own output in its buffer:
    // the byte before, when encrypting.
    std::size_t WriteLead() const { return direction_ == Direction::Encrypt ? 1 : 0; }

private:
    Direction direction_;
    std::uint32_t blockBytes_;
    std::uint64_t pieceBytes_;
    std::uint64_t readStart_;
    std::uint64_t readLength_;  // bytes after readStart_ that take part
    std::uint64_t outputStart_;
    std::uint64_t outputLength_;  // bytes after outputStart_ that the output holds
    std::uint64_t pieceCount_;
    std::size_t bufferBytes_;
};

// Memory for one piece, with room in front of Data() for the byte an
// encrypted piece is written after (`writeLead`, PiecePlan::WriteLead).
// Writes of pieces of the common block length start on a page boundary of
// the file, and the kernel copies a write into the page cache slowest when
// the two addresses lie a few bytes apart modulo the page size (several
// times slower), and still a quarter slower when they are not aligned alike
// within a cache line. So the first byte a write takes lies halfway into a
// page of the buffer. Reads, which start 0 or 1 byte into a page of the
// file, stay far from the first penalty too and do not feel the second.
class PieceBuffer {
public:
    PieceBuffer(std::size_t bytes, std::size_t writeLead);
    std::uint8_t* Data() { return storage_.get() + kPageBytes / 2 + writeLead_; }

private:
    static constexpr std::size_t kPageBytes = 4096;
    struct PageFree {
        void operator()(std::uint8_t* p) const { ::operator delete[](p, std::align_val_t{kPageBytes}); }
    };
    std::unique_ptr<std::uint8_t[], PageFree> storage_;
    std::size_t writeLead_;
};

}  // namespace tarvoss
