#include "cipher/KeyGenerator.h"

#include "platform/SystemRandom.h"

namespace tarvoss {
namespace {

class GetRandomSource final : public RandomSource {
public:
    bool Fill(std::span<unsigned char> bytes) override { return ReadSystemRandom(bytes); }
};

constexpr int kMostDigits = 18;  // 10^18 still fits a 64-bit draw

std::uint64_t PowerOfTen(int exponent) {
    std::uint64_t value = 1;
    for (int i = 0; i < exponent; ++i) value *= 10;
    return value;
}

}  // namespace

RandomSource& SystemRandom() {
    static GetRandomSource source;
    return source;
}

std::optional<std::uint64_t> UniformBelow(std::uint64_t bound, RandomSource& source) {
    if (bound == 0) return std::nullopt;
    // 2^64 mod bound: the draws below it are the surplus that would make the
    // low remainders one draw more likely than the others.
    const std::uint64_t surplus = (0 - bound) % bound;
    for (;;) {
        unsigned char bytes[sizeof(std::uint64_t)];
        if (!source.Fill(bytes)) return std::nullopt;
        // Little-endian, so that a given byte sequence means the same draw everywhere.
        std::uint64_t draw = 0;
        for (int i = static_cast<int>(sizeof bytes) - 1; i >= 0; --i) draw = draw << 8 | bytes[i];
        if (draw >= surplus) return draw % bound;
    }
}

std::optional<std::string> RandomDigitGroup(int digits, RandomSource& source) {
    if (digits < 1 || digits > kMostDigits) return std::nullopt;
    const std::optional<std::uint64_t> value = UniformBelow(PowerOfTen(digits), source);
    if (!value) return std::nullopt;
    return std::to_string(*value);
}

std::optional<std::string> RandomKeyText(int length, RandomSource& source) {
    if (length < 0) return std::nullopt;
    constexpr std::uint64_t kCharacters = kLastKeyCharacter - kFirstKeyCharacter + 1;
    std::string text;
    text.reserve(static_cast<std::size_t>(length));
    for (int i = 0; i < length; ++i) {
        const std::optional<std::uint64_t> code = UniformBelow(kCharacters, source);
        if (!code) return std::nullopt;
        text.push_back(static_cast<char>(kFirstKeyCharacter + *code));
    }
    return text;
}

}  // namespace tarvoss
