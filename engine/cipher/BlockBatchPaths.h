#pragma once
// The per-instruction-set implementations behind EncryptBlocks and
// DecryptBlocks. Each vector path transforms only whole groups of as many
// blocks as it holds in its lanes and returns how many blocks it did; the
// caller finishes the rest with the scalar path.

#include <cstddef>
#include <cstdint>

namespace tarvoss::blockbatch {

// key points to the four key words. Blocks go from `in` to `out`, which are
// either the same place or do not overlap.
void EncryptScalar(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blockCount);
void DecryptScalar(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                   std::size_t blockCount);

std::size_t EncryptAvx2(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                        std::size_t blockCount);
std::size_t DecryptAvx2(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                        std::size_t blockCount);

std::size_t EncryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount);
std::size_t DecryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount);

}  // namespace tarvoss::blockbatch
