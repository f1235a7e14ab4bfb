// Chooses the widest path the processor can run and lets the narrower ones
// finish the blocks that do not fill its lanes.

#include "cipher/BlockBatch.h"

#include "cipher/BlockBatchPaths.h"

#include <atomic>

namespace tarvoss {

namespace {

// The compiler's CPU check reports AVX2 and AVX-512 only where the processor
// has them and the operating system saves their registers on a thread switch
// (XGETBV), on Windows as on Linux.
bool Avx2Supported() {
#if TARVOSS_CIPHER_X86
    static const bool supported = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return supported;
#else
    return false;
#endif
}

bool Avx512Supported() {
#if TARVOSS_CIPHER_X86
    static const bool supported = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f"));
    return supported;
#else
    return false;
#endif
}

bool Supported(CipherPath path) {
    switch (path) {
    case CipherPath::Scalar: return true;
    case CipherPath::Avx2: return Avx2Supported();
    case CipherPath::Avx512: return Avx512Supported();
    }
    return false;
}

CipherPath Fastest() {
    for (CipherPath path : {CipherPath::Avx512, CipherPath::Avx2})
        if (Supported(path)) return path;
    return CipherPath::Scalar;
}

std::atomic<CipherPath>& Active() {
    static std::atomic<CipherPath> active{Fastest()};
    return active;
}

template <bool Encrypt>
void Transform(std::uint32_t delta, const CipherKey& key, const std::uint8_t* in, std::uint8_t* out,
               std::size_t blockCount) {
    const std::uint32_t* k = key.data();
    std::size_t done = 0;
    const auto rest = [&](auto path) {
        done += path(delta, k, in + done * kCipherBlockBytes, out + done * kCipherBlockBytes, blockCount - done);
    };
    // Fall through: each vector path leaves fewer blocks than its lanes hold,
    // and the next narrower one takes what it can of them.
    switch (Active().load(std::memory_order_relaxed)) {
#if TARVOSS_CIPHER_X86
    case CipherPath::Avx512:
        rest(Encrypt ? blockbatch::EncryptAvx512 : blockbatch::DecryptAvx512);
        if (!Avx2Supported()) break;
        [[fallthrough]];
    case CipherPath::Avx2: rest(Encrypt ? blockbatch::EncryptAvx2 : blockbatch::DecryptAvx2); [[fallthrough]];
#endif
    default: break;
    }
    (Encrypt ? blockbatch::EncryptScalar : blockbatch::DecryptScalar)(
        delta, k, in + done * kCipherBlockBytes, out + done * kCipherBlockBytes, blockCount - done);
}

}  // namespace

void EncryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount) {
    Transform<true>(delta, key, bytes, bytes, blockCount);
}

void DecryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount) {
    Transform<false>(delta, key, bytes, bytes, blockCount);
}

std::vector<CipherPath> AvailableCipherPaths() {
    std::vector<CipherPath> paths;
    for (CipherPath path : {CipherPath::Scalar, CipherPath::Avx2, CipherPath::Avx512})
        if (Supported(path)) paths.push_back(path);
    return paths;
}

bool ForceCipherPath(CipherPath path) {
    if (!Supported(path)) return false;
    Active().store(path, std::memory_order_relaxed);
    return true;
}

void ResetCipherPath() { Active().store(Fastest(), std::memory_order_relaxed); }

}  // namespace tarvoss
