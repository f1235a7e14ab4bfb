#include "cipher/BlockCipher.h"

#include "cipher/XxteaRounds.h"

namespace tarvoss {

bool EncryptWords(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key) {
    if (n <= 1) return false;
    xxtea::EncryptWords(v, n, delta, key.data());
    return true;
}

bool DecryptWords(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key) {
    if (n <= 1) return false;
    xxtea::DecryptWords(v, n, delta, key.data());
    return true;
}

}  // namespace tarvoss
