#pragma once
// The one loop behind all four transforms: the data of a file goes from
// `input` to `output` piece by piece, through the cipher, with the header byte
// in front when encrypting. Pieces are read and enciphered on several threads
// at once and written one at a time, front to back. Passing the same record as
// input and output transforms the file in place; every piece is then written
// only after the piece its write covers a byte of has been read.

#include "cipher/FileLayout.h"

#include <atomic>
#include <functional>

namespace tarvoss {

class FileRecord;

// `abandon` and `prepare` as for PieceRunner::Run: `prepare` runs once all
// memory and threads are secured, before the first piece.
bool TransformPieces(Direction direction, const FileLayout& layout, FileRecord& input, FileRecord& output,
                     CipherState& state, const CipherKey& key, std::int32_t n,
                     const std::atomic<bool>* abandon = nullptr, const std::function<bool()>& prepare = {});

}  // namespace tarvoss
