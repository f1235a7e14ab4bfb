// Cipher throughput on one core: the one-block operation called for every
// 16-byte block, and each many-block path on the same buffer.

#include "cipher/BlockBatch.h"
#include "cipher/BlockCipher.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace tarvoss {
namespace {

constexpr std::size_t kBufferBytes = 1 << 20;
const CipherKey kKey{0x01234567, 0x89ABCDEF, 0xFEDCBA98, 0x76543210};

std::vector<std::uint8_t> MakeBuffer() {
    std::vector<std::uint8_t> buffer(kBufferBytes);
    for (std::size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<std::uint8_t>(i * 131 + 7);
    return buffer;
}

void OneBlockAtATime(benchmark::State& state) {
    std::vector<std::uint8_t> buffer = MakeBuffer();
    const std::uint32_t& delta = kCipherDelta;
    for (auto _ : state) {
        for (std::size_t offset = 0; offset < buffer.size(); offset += kCipherBlockBytes) {
            std::uint32_t words[4];
            std::memcpy(words, buffer.data() + offset, sizeof words);
            EncryptWords(delta, words, 4, kKey);
            std::memcpy(buffer.data() + offset, words, sizeof words);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(buffer.size()));
}

void ManyBlocks(benchmark::State& state, bool encrypt, CipherPath path) {
    if (!ForceCipherPath(path)) {
        state.SkipWithError("the processor cannot run this path");
        return;
    }
    std::vector<std::uint8_t> buffer = MakeBuffer();
    const std::size_t blocks = buffer.size() / kCipherBlockBytes;
    for (auto _ : state) {
        if (encrypt)
            EncryptBlocks(kCipherDelta, kKey, buffer.data(), blocks);
        else
            DecryptBlocks(kCipherDelta, kKey, buffer.data(), blocks);
        benchmark::ClobberMemory();
    }
    ResetCipherPath();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(buffer.size()));
}

BENCHMARK(OneBlockAtATime)->Name("BlockEncrypt/OneBlockAtATime/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, EncryptScalar, true, CipherPath::Scalar)->Name("EncryptBlocks/Scalar/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, EncryptAvx2, true, CipherPath::Avx2)->Name("EncryptBlocks/Avx2/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, EncryptAvx512, true, CipherPath::Avx512)->Name("EncryptBlocks/Avx512/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, DecryptScalar, false, CipherPath::Scalar)->Name("DecryptBlocks/Scalar/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, DecryptAvx2, false, CipherPath::Avx2)->Name("DecryptBlocks/Avx2/1MiB");
BENCHMARK_CAPTURE(ManyBlocks, DecryptAvx512, false, CipherPath::Avx512)->Name("DecryptBlocks/Avx512/1MiB");

}  // namespace
}  // namespace tarvoss
