#include "cipher/KeyMaterial.h"

#include "cipher/KeyRules.h"
#include "cipher/TextKeyBytes.h"
#include "common/Wipe.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvoss {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A text key is its bytes, little-endian four to a word; at most 16 bytes are
// taken and the rest of the key is zero.
CipherKey TextKey(const std::string& text) {
    CipherKey key{};
    const std::size_t count = text.size() < 16 ? text.size() : 16;
    for (std::size_t i = 0; i < count; ++i)
        key[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * (i % 4));
    return key;
}

// The value of one ten-character group of a 128-bit key: leading white space,
// an optional sign, then digits up to the first other character, all modulo
// 2^32 without an overflow check.
std::uint32_t GroupValue(std::string_view group) {
    std::size_t i = 0;
    while (i < group.size() && IsSpace(group[i])) ++i;
    bool negative = false;
    if (i < group.size() && (group[i] == '+' || group[i] == '-')) {
        negative = group[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < group.size() && IsKeyDigit(group[i]); ++i)
        value = value * 10 + static_cast<std::uint32_t>(group[i] - '0');
    return negative ? 0u - value : value;
}

// The 128-bit key: the parts joined, then cut into groups of ten characters
// regardless of where the parts end. A group that starts at or beyond the end
// of the joined text is 0.
CipherKey Numerical128(const std::array<std::string, kKeyPartCount>& parts) {
    // One buffer, sized up front, so no copy of the key is left behind by growth.
    std::size_t length = 0;
    for (const std::string& part : parts) length += part.size();
    std::string joined;
    joined.reserve(length);
    for (const std::string& part : parts) joined += part;
    const std::string_view s(joined);
    CipherKey key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
        const std::size_t start = 10 * i;
        key[i] = start < s.size() ? GroupValue(s.substr(start, 10)) : 0;
    }
    WipeText(joined);
    return key;
}

// A whole part as a signed 32-bit decimal number: an optional sign and at
// least one digit, nothing else.
std::optional<std::uint32_t> PartValue(const std::string& part) {
    std::size_t i = 0;
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-')) {
        negative = part[i] == '-';
        ++i;
    }
    if (i == part.size()) return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (; i < part.size(); ++i) {
        if (!IsKeyDigit(part[i])) return std::nullopt;
        value = value * 10 + (part[i] - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::uint32_t>(negative ? -value : value);
}

// The 96- and 64-bit keys: one word per part, parts 1 to 4.
std::optional<CipherKey> NumericalByPart(const std::array<std::string, kKeyPartCount>& parts) {
    CipherKey key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
        const std::optional<std::uint32_t> value = PartValue(parts[i]);
        if (!value) return std::nullopt;
        key[i] = *value;
    }
    return key;
}

}  // namespace

bool AssembleKey(const KeyEntry& entry, CipherKey& key) {
    if (KeyTypeAt(entry.keyType) == KeyType::Text) {
        const std::optional<std::string> bytes = TextKeyBytes(entry.parts[0]);
        if (!bytes) return false;
        key = TextKey(*bytes);
        return true;
    }
    const std::optional<KeyLength> length = KeyLengthAt(entry.keyLength);
    // No length selected: the key keeps its previous words.
    if (!length) return true;
    if (length == KeyLength::Bits128) {
        key = Numerical128(entry.parts);
        return true;
    }
    const std::optional<CipherKey> words = NumericalByPart(entry.parts);
    if (!words) return false;
    key = *words;
    return true;
}

}  // namespace tarvoss
