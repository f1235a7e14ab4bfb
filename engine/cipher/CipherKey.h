#pragma once
// The cipher's key: four 32-bit words, assembled once from what the user typed
// and handed by reference to every step that transforms a block. The words
// are wiped when the object goes, and the object is never copied by accident:
// it moves (the moved-from key is wiped), and a second copy is made only where
// the code names the copy: CipherKey copy(key).

#include <array>
#include <cstddef>
#include <cstdint>

#include "common/Wipe.h"

namespace tarvoss {

class CipherKey {
public:
    static constexpr std::size_t kWords = 4;

    CipherKey() = default;
    CipherKey(std::uint32_t k0, std::uint32_t k1, std::uint32_t k2, std::uint32_t k3) : words_{k0, k1, k2, k3} {}
    ~CipherKey() { Wipe(); }

    CipherKey(CipherKey&& other) noexcept : words_(other.words_) { other.Wipe(); }
    CipherKey& operator=(CipherKey&& other) noexcept {
        if (this != &other) {
            words_ = other.words_;
            other.Wipe();
        }
        return *this;
    }
    explicit CipherKey(const CipherKey& other) = default;
    CipherKey& operator=(const CipherKey&) = delete;

    std::uint32_t& operator[](std::size_t i) { return words_[i]; }
    std::uint32_t operator[](std::size_t i) const { return words_[i]; }
    const std::uint32_t* data() const { return words_.data(); }
    static constexpr std::size_t size() { return kWords; }

    bool operator==(const CipherKey& other) const { return words_ == other.words_; }

    // Sets every word to 0.
    void Wipe() { WipeBytes(words_.data(), sizeof words_); }

private:
    std::array<std::uint32_t, kWords> words_{};
};

}  // namespace tarvoss
