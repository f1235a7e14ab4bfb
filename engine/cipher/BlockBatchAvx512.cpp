// Sixteen blocks per 512-bit register. Compiled with -mavx512f; called only when
// the processor has AVX-512F.

#include "cipher/BlockBatchPaths.h"

#include "cipher/LaneBatch.h"

#include <immintrin.h>

namespace tarvoss::blockbatch {

namespace {

struct Avx512Ops {
    using Reg = __m512i;
    // Flat passes: with 32 registers the words of three sets stay in them.
    using EncryptPasses = xxtea::FourWordsFlat;
    using DecryptPasses = xxtea::FourWordsFlat;
    static constexpr std::size_t kLanes = 16;

    static Reg Load(const std::uint8_t* p) { return _mm512_loadu_si512(p); }
    static void Store(std::uint8_t* p, Reg x) { _mm512_storeu_si512(p, x); }
    static Reg Splat(std::uint32_t x) { return _mm512_set1_epi32(static_cast<int>(x)); }
    static Reg Add(Reg a, Reg b) { return _mm512_add_epi32(a, b); }
    static Reg Sub(Reg a, Reg b) { return _mm512_sub_epi32(a, b); }
    static Reg Xor(Reg a, Reg b) { return _mm512_xor_si512(a, b); }
    static Reg ShiftLeft(Reg a, int count) { return _mm512_slli_epi32(a, count); }
    static Reg ShiftRight(Reg a, int count) { return _mm512_srli_epi32(a, count); }
    static Reg UnpackLo32(Reg a, Reg b) { return _mm512_unpacklo_epi32(a, b); }
    static Reg UnpackHi32(Reg a, Reg b) { return _mm512_unpackhi_epi32(a, b); }
    static Reg UnpackLo64(Reg a, Reg b) { return _mm512_unpacklo_epi64(a, b); }
    static Reg UnpackHi64(Reg a, Reg b) { return _mm512_unpackhi_epi64(a, b); }
};

// Three independent sets of registers in flight: fewer leave the vector
// units waiting on the rounds' dependent steps, a fourth no longer fits the
// registers.
constexpr int kDepth = 3;

}  // namespace

std::size_t EncryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount) {
    return TransformLanes<Avx512Ops, kDepth, true>(delta, key, in, out, blockCount);
}

std::size_t DecryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount) {
    return TransformLanes<Avx512Ops, kDepth, false>(delta, key, in, out, blockCount);
}

}  // namespace tarvoss::blockbatch
