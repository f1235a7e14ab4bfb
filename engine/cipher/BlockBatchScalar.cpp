// One block at a time, on plain 32-bit words.

#include "cipher/BlockBatchPaths.h"

#include "cipher/XxteaRounds.h"

namespace tarvoss::blockbatch {

namespace {

void LoadWords(const std::uint8_t* bytes, std::uint32_t* words) {
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t* b = bytes + 4 * i;
        words[i] = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                   static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    }
}

void StoreWords(const std::uint32_t* words, std::uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) {
        std::uint8_t* b = bytes + 4 * i;
        b[0] = static_cast<std::uint8_t>(words[i]);
        b[1] = static_cast<std::uint8_t>(words[i] >> 8);
        b[2] = static_cast<std::uint8_t>(words[i] >> 16);
        b[3] = static_cast<std::uint8_t>(words[i] >> 24);
    }
}

template <bool Encrypt>
void Transform(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
               std::size_t blockCount) {
    for (std::size_t i = 0; i < blockCount; ++i, in += 16, out += 16) {
        std::uint32_t words[4];
        LoadWords(in, words);
        if constexpr (Encrypt)
            xxtea::EncryptWords(words, xxtea::FourWords{}, delta, key);
        else
            xxtea::DecryptWords(words, xxtea::FourWords{}, delta, key);
        StoreWords(words, out);
    }
}

}  // namespace

void EncryptScalar(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blockCount) {
    Transform<true>(delta, key, in, out, blockCount);
}

void DecryptScalar(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blockCount) {
    Transform<false>(delta, key, in, out, blockCount);
}

}  // namespace tarvoss::blockbatch
