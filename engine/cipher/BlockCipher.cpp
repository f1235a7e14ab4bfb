#include "cipher/BlockCipher.h"

#include "cipher/XxteaRounds.h"

namespace tarvoss {

bool BlockEncrypt(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key) {
    if (n <= 1) return true;
    xxtea::EncryptWords(v, n, delta, key.data());
    return false;
}

bool BlockDecrypt(const std::uint32_t& delta, std::uint32_t* v, std::int32_t n, const CipherKey& key) {
    if (n <= 1) return true;
    xxtea::DecryptWords(v, n, delta, key.data());
    return false;
}

}  // namespace tarvoss
