#include "cipher/FileLayout.h"

#include "cipher/BlockBatch.h"
#include "cipher/BlockCipher.h"
#include "platform/FileRecord.h"
#include "platform/LastError.h"

#include <algorithm>
#include <array>

namespace tarvoss {

namespace {

constexpr std::int32_t kMaxBlockWords = 32;

// One block of n words through EncryptWords or DecryptWords, the words taken
// little-endian from the bytes and put back the same way.
void TransformOneBlock(Direction direction, const std::uint32_t& delta, const CipherKey& key, std::int32_t n,
                       std::uint8_t* bytes) {
    std::array<std::uint32_t, kMaxBlockWords> words{};
    for (std::int32_t i = 0; i < n; ++i) {
        const std::uint8_t* b = bytes + 4 * i;
        words[i] = b[0] | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 | std::uint32_t{b[3]} << 24;
    }
    if (direction == Direction::Encrypt)
        EncryptWords(delta, words.data(), n, key);
    else
        DecryptWords(delta, words.data(), n, key);
    for (std::int32_t i = 0; i < n; ++i)
        for (int b = 0; b < 4; ++b) bytes[4 * i + b] = static_cast<std::uint8_t>(words[i] >> (8 * b));
}

}  // namespace

bool CheckBlockWords(std::int32_t n) {
    return n >= 2 && n <= kMaxBlockWords ? true : FailWith(ErrorCondition::InvalidArgument);
}

bool LayoutOfPlainFile(std::uint64_t plainLength, std::int32_t n, FileLayout& layout) {
    if (!CheckBlockWords(n)) return false;
    const std::uint32_t blockBytes = 4 * static_cast<std::uint32_t>(n);
    if (plainLength >= kLayoutLengthLimit) return FailWith(ErrorCondition::TooLarge);
    const std::uint64_t blocks = (plainLength + blockBytes - 1) / blockBytes;
    const std::uint64_t encryptedLength = 1 + blocks * blockBytes;
    if (encryptedLength >= kLayoutLengthLimit) return FailWith(ErrorCondition::TooLarge);
    layout = {blockBytes, plainLength, encryptedLength, static_cast<std::uint8_t>(plainLength % blockBytes)};
    return true;
}

bool LayoutOfEncryptedFile(FileRecord& file, std::uint64_t fileLength, std::uint32_t delta, const CipherKey& key,
                           std::int32_t n, FileLayout& layout) {
    if (!CheckBlockWords(n)) return false;
    const std::uint32_t blockBytes = 4 * static_cast<std::uint32_t>(n);
    if (fileLength >= kLayoutLengthLimit) return FailWith(ErrorCondition::TooLarge);
    // An empty file has no header byte; after the header come whole blocks only.
    if (fileLength == 0 || (fileLength - 1) % blockBytes != 0) return FailWith(kNotEncryptedFile);
    std::uint8_t header = 0;
    if (!file.ReadAt(0, &header, 1)) return false;
    // The header byte is read as a signed byte: 0 <= t < B.
    const auto tail = static_cast<std::int8_t>(header);
    if (tail < 0 || static_cast<std::uint32_t>(tail) >= blockBytes) return FailWith(kNotEncryptedFile);
    const std::uint64_t dataLength = fileLength - 1;
    std::uint64_t plainLength = dataLength;
    if (tail > 0) {
        // A partial block needs a block to hold it, and encryption filled it
        // up with zero bytes: anything else means a wrong key or a file that
        // was never encrypted, and decrypting would cut off bytes for good.
        if (dataLength == 0) return FailWith(kNotEncryptedFile);
        std::array<std::uint8_t, 4 * kMaxBlockWords> last{};
        if (!file.ReadAt(fileLength - blockBytes, last.data(), blockBytes)) return false;
        TransformBlocks(Direction::Decrypt, delta, key, n, last.data(), 1);
        if (!std::all_of(last.begin() + tail, last.begin() + blockBytes, [](std::uint8_t b) { return b == 0; }))
            return FailWith(kNotEncryptedFile);
        plainLength = dataLength - blockBytes + static_cast<std::uint64_t>(tail);
    }
    layout = {blockBytes, plainLength, fileLength, static_cast<std::uint8_t>(tail)};
    return true;
}

void TransformBlocks(Direction direction, std::uint32_t delta, const CipherKey& key, std::int32_t n,
                     std::uint8_t* bytes, std::size_t blockCount) {
    if (n * 4 == static_cast<std::int32_t>(kCipherBlockBytes)) {
        if (direction == Direction::Encrypt)
            EncryptBlocks(delta, key, bytes, blockCount);
        else
            DecryptBlocks(delta, key, bytes, blockCount);
        return;
    }
    const std::size_t blockBytes = 4 * static_cast<std::size_t>(n);
    for (std::size_t i = 0; i < blockCount; ++i) TransformOneBlock(direction, delta, key, n, bytes + i * blockBytes);
}

}  // namespace tarvoss
