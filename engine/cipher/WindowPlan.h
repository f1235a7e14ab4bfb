#pragma once
// How an in-place transform cuts a file into windows of whole blocks, the
// unit of its recovery journal: each window's result is computed whole, put
// into the journal, and only then written over the file.
//
// Encryption writes every block one byte further on than it was read, so a
// window's result covers the first plain byte of the next window's first
// block. The window therefore also enciphers that block while the byte is
// still there and hands it on, encrypted, to the next window ("carry"):
// redoing any window from the journal is then exact, and nothing plain ever
// goes into the journal. Decryption writes every block one byte further back
// than it was read and needs nothing carried.

#include "cipher/FileLayout.h"

#include <cstddef>
#include <cstdint>

namespace tarvoss {

struct Window {
    std::uint64_t index = 0;
    // Where the window's result goes in the file.
    std::uint64_t outputOffset = 0;
    std::size_t outputLength = 0;
    // Bytes after the result that the next window needs (the carried block).
    std::size_t carryLength = 0;
    // Encryption, from the second window on: the carried block of the window
    // before is the first block of this one, at the start of the buffer.
    bool takesCarry = false;
    // The bytes read from the file, and where in the window's buffer they go.
    std::uint64_t readOffset = 0;
    std::size_t readLength = 0;
    std::size_t readInto = 0;
    // The blocks enciphered in the buffer, from readInto on; bytes not read
    // up to their end are zero (the padding of the last block).
    std::size_t cipherBlocks = 0;
    // Encryption's first window begins with the header byte.
    bool writesHeader = false;
};

class WindowPlan {
public:
    // `windowBytes` is rounded down to whole blocks, at least one.
    WindowPlan(Direction direction, const FileLayout& layout, std::size_t windowBytes);

    Direction GetDirection() const { return direction_; }
    const FileLayout& Layout() const { return layout_; }
    std::uint64_t Count() const { return count_; }
    Window At(std::uint64_t index) const;
    // Bytes of a window buffer: the largest result and its carried block.
    std::size_t BufferBytes() const;
    std::size_t WindowBytes() const { return windowBlocks_ * layout_.blockBytes; }
    // The file's length once the transform is done.
    std::uint64_t FinalLength() const;

private:
    Direction direction_;
    FileLayout layout_;
    std::uint64_t blocks_;  // blocks of the encrypted side
    std::uint64_t windowBlocks_;
    std::uint64_t count_;
};

}  // namespace tarvoss
