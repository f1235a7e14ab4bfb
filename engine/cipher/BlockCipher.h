#pragma once
// The block cipher: Corrected Block TEA (XXTEA) over n 32-bit words in place.

#include "cipher/CipherKey.h"

#include <cstdint>

namespace tarvoss {

// The cipher's round constant.
inline constexpr std::uint32_t kCipherDelta = 0x9E3779B9;

// Encrypts the n words at v under key and returns true. With fewer than two
// words there is nothing the cipher can do: v stays untouched and the result
// is false.
bool EncryptWords(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key);
// The inverse of EncryptWords, with the same arguments and result.
bool DecryptWords(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key);

}  // namespace tarvoss
