#pragma once
// The block cipher applied to many independent 16-byte blocks at once.
//
// Each block holds four words, little-endian (byte 0 is the least significant
// byte of word 0), and is transformed in place exactly as EncryptWords or
// DecryptWords with n = 4 would. The bytes need no particular alignment. The
// work is spread over vector lanes where the processor allows; the path is
// chosen once from the processor's features.

#include "cipher/CipherKey.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvoss {

inline constexpr std::size_t kCipherBlockBytes = 16;

void EncryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount);
void DecryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount);

// The implementations behind EncryptBlocks and DecryptBlocks. All give the
// same bytes; they differ only in speed.
enum class CipherPath { Scalar, Avx2, Avx512 };

// The paths this processor can run, Scalar first.
std::vector<CipherPath> AvailableCipherPaths();
// Makes EncryptBlocks and DecryptBlocks use `path` (for tests and benchmarks).
// Returns false, changing nothing, when the processor cannot run it.
bool ForceCipherPath(CipherPath path);
// Goes back to the fastest path the processor can run.
void ResetCipherPath();

}  // namespace tarvoss
