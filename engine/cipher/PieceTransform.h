#pragma once
// The one loop behind all four transforms: the data of a file goes from
// `input` to `output` piece by piece, through the cipher, with the header byte
// in front when encrypting. Passing the same record as input and output
// transforms the file in place; every piece is then written only after the
// piece its write covers a byte of has been read.

#include "cipher/FileLayout.h"

#include <atomic>

namespace tarvoss {

class FileRecord;

bool TransformPieces(Direction direction, const FileLayout& layout, FileRecord& input, FileRecord& output,
                     CipherState& state, const CipherKey& key, std::int32_t n,
                     const std::atomic<bool>* abandon = nullptr);

} // namespace tarvoss
