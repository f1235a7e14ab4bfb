#pragma once
// An independent, deliberately plain writer of the encrypted layout for the
// file transform tests: one header byte (length mod block), then every block
// of 4n bytes through EncryptWords on its own, the last one zero-filled.

#include "cipher/BlockCipher.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tarvoss::test {

// A key for transforms whose bytes the tests compare with ReferenceEncrypt.
inline const CipherKey kSampleKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};

inline std::string ReferenceEncrypt(const std::string& plain, const CipherKey& key, std::int32_t n = 4) {
    const std::size_t block = 4 * static_cast<std::size_t>(n);
    std::string out(1, static_cast<char>(plain.size() % block));
    for (std::size_t at = 0; at < plain.size(); at += block) {
        std::vector<std::uint32_t> words(n, 0);
        for (std::size_t i = 0; i < block && at + i < plain.size(); ++i)
            words[i / 4] |= std::uint32_t{static_cast<std::uint8_t>(plain[at + i])} << (8 * (i % 4));
        const std::uint32_t delta = 0x9E3779B9;
        EncryptWords(delta, words.data(), n, key);
        for (std::size_t i = 0; i < block; ++i) out.push_back(static_cast<char>(words[i / 4] >> (8 * (i % 4))));
    }
    return out;
}

inline std::string RandomBytes(std::size_t length, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string bytes(length, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

}  // namespace tarvoss::test
