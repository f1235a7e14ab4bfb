// Eight blocks per 256-bit register. Compiled with -mavx2; called only when
// the processor has AVX2.

#include "cipher/BlockBatchPaths.h"

#include "cipher/LaneBatch.h"

#include <immintrin.h>

namespace tarvoss::blockbatch {

namespace {

struct Avx2Ops {
    using Reg = __m256i;
    // With only 16 registers the compiler keeps the flat encryption passes
    // out of them (about a third slower) but not the decryption passes
    // (about a sixth faster than in a loop).
    using EncryptPasses = xxtea::FourWords;
    using DecryptPasses = xxtea::FourWordsFlat;
    static constexpr std::size_t kLanes = 8;

    static Reg Load(const std::uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void Store(std::uint8_t* p, Reg x) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), x); }
    static Reg Splat(std::uint32_t x) { return _mm256_set1_epi32(static_cast<int>(x)); }
    static Reg Add(Reg a, Reg b) { return _mm256_add_epi32(a, b); }
    static Reg Sub(Reg a, Reg b) { return _mm256_sub_epi32(a, b); }
    static Reg Xor(Reg a, Reg b) { return _mm256_xor_si256(a, b); }
    static Reg ShiftLeft(Reg a, int count) { return _mm256_slli_epi32(a, count); }
    static Reg ShiftRight(Reg a, int count) { return _mm256_srli_epi32(a, count); }
    static Reg UnpackLo32(Reg a, Reg b) { return _mm256_unpacklo_epi32(a, b); }
    static Reg UnpackHi32(Reg a, Reg b) { return _mm256_unpackhi_epi32(a, b); }
    static Reg UnpackLo64(Reg a, Reg b) { return _mm256_unpacklo_epi64(a, b); }
    static Reg UnpackHi64(Reg a, Reg b) { return _mm256_unpackhi_epi64(a, b); }
};

// Two independent sets of registers in flight: enough to hide the latency of
// the rounds' dependent steps; a third set no longer fits the sixteen
// registers and runs at half the speed.
constexpr int kDepth = 2;

}  // namespace

// The key words were spread over vector registers: they are cleared before
// the registers go back to other code (once per batch of blocks).
std::size_t EncryptAvx2(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                        std::size_t blockCount) {
    const std::size_t done = TransformLanes<Avx2Ops, kDepth, true>(delta, key, in, out, blockCount);
    _mm256_zeroall();
    return done;
}

std::size_t DecryptAvx2(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                        std::size_t blockCount) {
    const std::size_t done = TransformLanes<Avx2Ops, kDepth, false>(delta, key, in, out, blockCount);
    _mm256_zeroall();
    return done;
}

}  // namespace tarvoss::blockbatch
