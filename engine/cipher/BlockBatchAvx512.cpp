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

// The key words were spread over vector registers: all 32 are cleared before
// they go back to other code (once per batch of blocks). VZEROALL clears the
// first 16; the upper 16 are zeroed one by one.
void ClearVectorRegisters() {
#if defined(__GNUC__) && defined(__x86_64__)
    asm volatile(
        "vpxord %%zmm16, %%zmm16, %%zmm16\n\t"
        "vpxord %%zmm17, %%zmm17, %%zmm17\n\t"
        "vpxord %%zmm18, %%zmm18, %%zmm18\n\t"
        "vpxord %%zmm19, %%zmm19, %%zmm19\n\t"
        "vpxord %%zmm20, %%zmm20, %%zmm20\n\t"
        "vpxord %%zmm21, %%zmm21, %%zmm21\n\t"
        "vpxord %%zmm22, %%zmm22, %%zmm22\n\t"
        "vpxord %%zmm23, %%zmm23, %%zmm23\n\t"
        "vpxord %%zmm24, %%zmm24, %%zmm24\n\t"
        "vpxord %%zmm25, %%zmm25, %%zmm25\n\t"
        "vpxord %%zmm26, %%zmm26, %%zmm26\n\t"
        "vpxord %%zmm27, %%zmm27, %%zmm27\n\t"
        "vpxord %%zmm28, %%zmm28, %%zmm28\n\t"
        "vpxord %%zmm29, %%zmm29, %%zmm29\n\t"
        "vpxord %%zmm30, %%zmm30, %%zmm30\n\t"
        "vpxord %%zmm31, %%zmm31, %%zmm31" ::
            : "xmm16", "xmm17", "xmm18", "xmm19", "xmm20", "xmm21", "xmm22", "xmm23", "xmm24", "xmm25", "xmm26",
              "xmm27", "xmm28", "xmm29", "xmm30", "xmm31");
#endif
    _mm256_zeroall();
}

}  // namespace

std::size_t EncryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount) {
    const std::size_t done = TransformLanes<Avx512Ops, kDepth, true>(delta, key, in, out, blockCount);
    ClearVectorRegisters();
    return done;
}

std::size_t DecryptAvx512(std::uint32_t delta, const std::uint32_t* key, const std::uint8_t* in, std::uint8_t* out,
                          std::size_t blockCount) {
    const std::size_t done = TransformLanes<Avx512Ops, kDepth, false>(delta, key, in, out, blockCount);
    ClearVectorRegisters();
    return done;
}

}  // namespace tarvoss::blockbatch
