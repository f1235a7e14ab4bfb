#pragma once
// The arithmetic of the encrypted layout and the checks that tell whether a
// file can be an encrypted file, shared by all transforms.

#include "cipher/CipherKey.h"
#include "cipher/FileTransforms.h"

#include <cstddef>
#include <cstdint>

namespace tarvoss {

class FileRecord;

struct FileLayout {
    std::uint32_t blockBytes = 16;      // B = 4n
    std::uint64_t plainLength = 0;      // L
    std::uint64_t encryptedLength = 1;  // 1 + B * ceil(L / B)
    std::uint8_t tail = 0;              // L mod B, the header byte
};

// Lengths from here on do not fit the layout's 32-bit arithmetic.
inline constexpr std::uint64_t kLayoutLengthLimit = std::uint64_t{1} << 32;

// Word counts the layout admits: 2 to 32 (blocks of 8 to 128 bytes). Fails
// with InvalidArgument otherwise.
bool CheckBlockWords(std::int32_t n);

// The layout of a plain file of `plainLength` bytes. Fails with TooLarge when the
// plain or the encrypted file would reach 4 GiB.
bool LayoutOfPlainFile(std::uint64_t plainLength, std::int32_t n, FileLayout& layout);

// The layout of the encrypted file `file` of `fileLength` bytes. Reads the
// header byte and, when it announces a partial block, decrypts the last block
// to check that its padding is zero. Fails with kNotEncryptedFile for a file
// that encryption under this key cannot have written, TooLarge from 4 GiB on.
bool LayoutOfEncryptedFile(FileRecord& file, std::uint64_t fileLength, std::uint32_t delta, const CipherKey& key,
                           std::int32_t n, FileLayout& layout);

// Encrypts or decrypts `blockCount` blocks of 4n bytes at `bytes` in place.
void TransformBlocks(Direction direction, std::uint32_t delta, const CipherKey& key, std::int32_t n,
                     std::uint8_t* bytes, std::size_t blockCount);

}  // namespace tarvoss
