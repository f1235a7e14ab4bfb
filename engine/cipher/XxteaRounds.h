#pragma once
// The rounds of the block cipher written once for any word type W: a plain
// std::uint32_t for one block, or a vector type holding the same word of many
// blocks in its lanes. W needs +, -, ^, << and >> by a constant, and a
// constructor from std::uint32_t that fills every lane with it.
//
// Everything the rounds depend on besides the words (sum, the selected key
// word) is the same for every block, so a vector type only has to broadcast it.

#include <cstdint>

namespace tarvoss::xxtea {

inline std::int32_t Rounds(std::int32_t n)
{
    return 6 + 52 / n;
}

template <typename W>
inline W Mix(W y, W z, std::uint32_t sum, std::uint32_t keyWord)
{
    return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((W(sum) ^ y) + (W(keyWord) ^ z));
}

// Encrypts the n >= 2 words v[0..n-1]; key points to four words.
template <typename W>
inline void EncryptWords(W* v, std::int32_t n, std::uint32_t delta, const std::uint32_t* key)
{
    std::uint32_t sum = 0;
    W z = v[n - 1];
    for (std::int32_t round = Rounds(n); round > 0; --round) {
        sum += delta;
        const std::uint32_t e = (sum >> 2) & 3;
        for (std::int32_t p = 0; p < n; ++p) {
            const W y = v[p == n - 1 ? 0 : p + 1];
            v[p] = v[p] + Mix(y, z, sum, key[(static_cast<std::uint32_t>(p) & 3) ^ e]);
            z = v[p];
        }
    }
}

// Decrypts the n >= 2 words v[0..n-1]; key points to four words.
template <typename W>
inline void DecryptWords(W* v, std::int32_t n, std::uint32_t delta, const std::uint32_t* key)
{
    const std::int32_t rounds = Rounds(n);
    std::uint32_t sum = static_cast<std::uint32_t>(rounds) * delta;
    W y = v[0];
    // Counting the passes gives the same as running until sum is 0 again
    // (delta is odd), and stays the exact inverse for any other delta.
    for (std::int32_t round = rounds; round > 0; --round) {
        const std::uint32_t e = (sum >> 2) & 3;
        for (std::int32_t p = n - 1; p >= 0; --p) {
            const W z = v[p == 0 ? n - 1 : p - 1];
            v[p] = v[p] - Mix(y, z, sum, key[(static_cast<std::uint32_t>(p) & 3) ^ e]);
            y = v[p];
        }
        sum -= delta;
    }
}

} // namespace tarvoss::xxtea
