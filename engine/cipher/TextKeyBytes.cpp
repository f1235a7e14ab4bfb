#include "cipher/TextKeyBytes.h"

#include <array>
#include <cstdint>

namespace tarvoss {
namespace {

// Bytes 0x80 to 0x9F; 0 where the code page defines no character. Every other
// byte stands for the code point of its own value.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

// The next code point of `text` from `at`, moving `at` past it; nothing for
// bytes that are not valid UTF-8 (also overlong forms and surrogates).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t point = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        point = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (at >= text.size()) return std::nullopt;
        const auto next = static_cast<unsigned char>(text[at++]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[extra] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
    return point;
}

std::optional<unsigned char> ByteOf(char32_t point) {
    if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<unsigned char>(point);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == point) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> TextKeyBytes(std::string_view text) {
    std::string bytes;
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> point = NextCodePoint(text, at);
        if (!point) return std::nullopt;
        const std::optional<unsigned char> byte = ByteOf(*point);
        if (!byte) return std::nullopt;
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

}  // namespace tarvoss
