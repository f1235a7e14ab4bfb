#pragma once
// The one loop behind all four transforms: the data of a file goes from
// `input` to `output` piece by piece, through the cipher, with the header byte
// in front when encrypting. Pieces are read and enciphered on several threads
// at once and written one at a time, front to back. `input` and `output` are
// two files: in place, files go through the journal's windows instead
// (JournaledWindows.h).

#include "cipher/FileLayout.h"

#include <atomic>

namespace tarvoss {

class FileRecord;

// `abandon` as for PieceRunner.
bool TransformPieces(Direction direction, const FileLayout& layout, FileRecord& input, FileRecord& output,
                     FileProgress& progress, const CipherKey& key, std::int32_t n,
                     const std::atomic<bool>* abandon = nullptr);

}  // namespace tarvoss
