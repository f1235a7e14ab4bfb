#pragma once
// Published known answers for the block cipher, shared by the tests of the
// one-block operations and of the many-block paths.

#include "cipher/CipherKey.h"

#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace tarvoss::test {

struct KnownAnswer {
    CipherKey key;
    std::vector<std::uint32_t> plain;
    std::vector<std::uint32_t> encrypted;
};

// The XXTEA vectors of "TeaCrypt" by Logan J. Drews: 2, 3 and 4 words under
// four keys, delta 0x9E3779B9, words given as numbers (no byte order).
std::span<const KnownAnswer> XxteaVectors();

inline CipherKey RandomKey(std::mt19937& random) {
    CipherKey key;
    for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<std::uint32_t>(random());
    return key;
}

}  // namespace tarvoss::test
