#pragma once
// The rounds of the block cipher written once for any word type W: a plain
// std::uint32_t for one block, or a vector type holding the same word of many
// blocks in its lanes. W needs +, -, ^, << and >> by a constant, and a
// constructor from std::uint32_t that fills every lane with it.
//
// Everything the rounds depend on besides the words (sum, the selected key
// word) is the same for every block, so a vector type only has to broadcast it.
//
// The word count is either a std::int32_t or, for the fixed four-word blocks
// of the many-block paths, std::integral_constant<std::int32_t, 4>, which lets
// the compiler lay the rounds out flat.

#include <cstdint>
#include <type_traits>
#include <utility>

// The rounds only run fast when every step is inlined into one flat body.
#if defined(__GNUC__)
#define TARVOSS_ALWAYS_INLINE inline __attribute__((always_inline))
#define TARVOSS_INLINE_LAMBDA __attribute__((always_inline))
#else
#define TARVOSS_ALWAYS_INLINE inline
#define TARVOSS_INLINE_LAMBDA
#endif

namespace tarvoss::xxtea {

using FourWords = std::integral_constant<std::int32_t, 4>;
// Four words, with the passes laid out flat as well.
struct FourWordsFlat : FourWords {};

TARVOSS_ALWAYS_INLINE constexpr std::int32_t Rounds(std::int32_t n) { return 6 + 52 / n; }

template <typename W>
TARVOSS_ALWAYS_INLINE W Mix(const W& y, const W& z, std::uint32_t sum, std::uint32_t keyWord) {
    return (((z >> 5) ^ (y << 2)) + ((y >> 3) ^ (z << 4))) ^ ((W(sum) ^ y) + (W(keyWord) ^ z));
}

// Calls step(p) for p = 0 to n-1, or from n-1 down to 0. With a word count
// known at compile time the calls are laid out flat with p a constant.
template <typename F>
TARVOSS_ALWAYS_INLINE void EachWord(std::int32_t n, bool downward, F step) {
    for (std::int32_t i = 0; i < n; ++i) step(downward ? n - 1 - i : i);
}

template <std::int32_t N, typename F>
TARVOSS_ALWAYS_INLINE void EachWord(std::integral_constant<std::int32_t, N>, bool downward, F step) {
    [&]<std::int32_t... I>(std::integer_sequence<std::int32_t, I...>) TARVOSS_INLINE_LAMBDA {
        (step(downward ? N - 1 - I : I), ...);
    }
    (std::make_integer_sequence<std::int32_t, N>{});
}

// Calls pass() once for each of the Rounds(n) passes over the words. With a
// word count known at compile time the passes are laid out flat too: a loop
// would have to move the words between registers at the end of every pass,
// as each pass leaves them where the previous one found the next word.
template <typename F>
TARVOSS_ALWAYS_INLINE void EachRound(std::int32_t n, F pass) {
    for (std::int32_t round = Rounds(n); round > 0; --round) pass();
}

template <typename F>
TARVOSS_ALWAYS_INLINE void EachRound(FourWordsFlat, F pass) {
    [&]<std::int32_t... I>(std::integer_sequence<std::int32_t, I...>) TARVOSS_INLINE_LAMBDA {
        ((static_cast<void>(I), pass()), ...);
    }
    (std::make_integer_sequence<std::int32_t, Rounds(4)>{});
}

// Encrypts the n >= 2 words v[0..n-1]; key points to four words.
template <typename W, typename Count>
TARVOSS_ALWAYS_INLINE void EncryptWords(W* v, Count n, std::uint32_t delta, const std::uint32_t* key) {
    std::uint32_t sum = 0;
    W z = v[n - 1];
    EachRound(n, [&]() TARVOSS_INLINE_LAMBDA {
        sum += delta;
        const std::uint32_t e = (sum >> 2) & 3;
        EachWord(n, false, [&](std::int32_t p) TARVOSS_INLINE_LAMBDA {
            const W& y = v[p == n - 1 ? 0 : p + 1];
            v[p] = v[p] + Mix(y, z, sum, key[(static_cast<std::uint32_t>(p) & 3) ^ e]);
            z = v[p];
        });
    });
}

// Decrypts the n >= 2 words v[0..n-1]; key points to four words.
template <typename W, typename Count>
TARVOSS_ALWAYS_INLINE void DecryptWords(W* v, Count n, std::uint32_t delta, const std::uint32_t* key) {
    const std::int32_t rounds = Rounds(n);
    std::uint32_t sum = static_cast<std::uint32_t>(rounds) * delta;
    W y = v[0];
    // Counting the passes gives the same as running until sum is 0 again
    // (delta is odd), and stays the exact inverse for any other delta.
    EachRound(n, [&]() TARVOSS_INLINE_LAMBDA {
        const std::uint32_t e = (sum >> 2) & 3;
        EachWord(n, true, [&](std::int32_t p) TARVOSS_INLINE_LAMBDA {
            const W& z = v[p == 0 ? n - 1 : p - 1];
            v[p] = v[p] - Mix(y, z, sum, key[(static_cast<std::uint32_t>(p) & 3) ^ e]);
            y = v[p];
        });
        sum -= delta;
    });
}

}  // namespace tarvoss::xxtea
