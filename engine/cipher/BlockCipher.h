#pragma once
// The block cipher: Corrected Block TEA (XXTEA) over n 32-bit words in place.

#include "cipher/CipherState.h"

#include <cstdint>

namespace tarvoss {

// Encrypts the n words at v under key. Returns true, leaving v untouched, when
// n is less than 2; false when the words were transformed.
bool BlockEncrypt(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key);
// The inverse of BlockEncrypt, with the same arguments and result.
bool BlockDecrypt(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key);

}  // namespace tarvoss
