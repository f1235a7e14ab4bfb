// Chooses the widest path the processor can run and lets the narrower ones
// finish the blocks that do not fill its lanes.

#include "cipher/BlockBatch.h"

#include "cipher/BlockBatchPaths.h"

#include <atomic>

namespace tarvoss {

namespace {

bool Avx2Supported()
{
#if TARVOSS_CIPHER_X86
    static const bool supported = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
    return supported;
#else
    return false;
#endif
}

bool Avx512Supported()
{
#if TARVOSS_CIPHER_X86
    static const bool supported = (__builtin_cpu_init(), __builtin_cpu_supports("avx512f"));
    return supported;
#else
    return false;
#endif
}

bool Supported(CipherPath path)
{
    switch (path) {
    case CipherPath::Scalar:
        return true;
    case CipherPath::Avx2:
        return Avx2Supported();
    case CipherPath::Avx512:
        return Avx512Supported();
    }
    return false;
}

CipherPath Fastest()
{
    for (CipherPath path : {CipherPath::Avx512, CipherPath::Avx2})
        if (Supported(path))
            return path;
    return CipherPath::Scalar;
}

std::atomic<CipherPath>& Active()
{
    static std::atomic<CipherPath> active{Fastest()};
    return active;
}

template <bool Encrypt>
void Transform(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount)
{
    const std::uint32_t* k = key.data();
    std::size_t done = 0;
    // Fall through: each vector path leaves fewer blocks than its lanes hold,
    // and the next narrower one takes what it can of them.
    switch (Active().load(std::memory_order_relaxed)) {
#if TARVOSS_CIPHER_X86
    case CipherPath::Avx512:
        done += Encrypt ? blockbatch::EncryptAvx512(delta, k, bytes, blockCount)
                        : blockbatch::DecryptAvx512(delta, k, bytes, blockCount);
        if (!Avx2Supported())
            break;
        [[fallthrough]];
    case CipherPath::Avx2:
        done += Encrypt ? blockbatch::EncryptAvx2(delta, k, bytes + done * kCipherBlockBytes, blockCount - done)
                        : blockbatch::DecryptAvx2(delta, k, bytes + done * kCipherBlockBytes, blockCount - done);
        [[fallthrough]];
#endif
    default:
        break;
    }
    if constexpr (Encrypt)
        blockbatch::EncryptScalar(delta, k, bytes + done * kCipherBlockBytes, blockCount - done);
    else
        blockbatch::DecryptScalar(delta, k, bytes + done * kCipherBlockBytes, blockCount - done);
}

} // namespace

void EncryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount)
{
    Transform<true>(delta, key, bytes, blockCount);
}

void DecryptBlocks(std::uint32_t delta, const CipherKey& key, std::uint8_t* bytes, std::size_t blockCount)
{
    Transform<false>(delta, key, bytes, blockCount);
}

std::vector<CipherPath> AvailableCipherPaths()
{
    std::vector<CipherPath> paths;
    for (CipherPath path : {CipherPath::Scalar, CipherPath::Avx2, CipherPath::Avx512})
        if (Supported(path))
            paths.push_back(path);
    return paths;
}

CipherPath ActiveCipherPath()
{
    return Active().load(std::memory_order_relaxed);
}

bool ForceCipherPath(CipherPath path)
{
    if (!Supported(path))
        return false;
    Active().store(path, std::memory_order_relaxed);
    return true;
}

void ResetCipherPath()
{
    Active().store(Fastest(), std::memory_order_relaxed);
}

} // namespace tarvoss
