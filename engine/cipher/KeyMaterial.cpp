#include "cipher/KeyMaterial.h"

#include "cipher/KeyRules.h"
#include "cipher/TextKeyBytes.h"
#include "common/Wipe.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace tarvoss {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

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
CipherKey Numerical128(std::span<const std::string> parts) {
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
std::optional<CipherKey> NumericalByPart(std::span<const std::string> parts) {
    CipherKey key{};
    for (std::size_t i = 0; i < key.size(); ++i) {
        const std::optional<std::uint32_t> value = PartValue(i < parts.size() ? parts[i] : std::string());
        if (!value) return std::nullopt;
        key[i] = *value;
    }
    return key;
}

}  // namespace

CipherKey TextKey(const std::string& bytes) {
    CipherKey key{};
    const std::size_t count = bytes.size() < 16 ? bytes.size() : 16;
    for (std::size_t i = 0; i < count; ++i)
        key[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * (i % 4));
    return key;
}

bool AssembleNumericalKey(std::optional<KeyLength> length, std::span<const std::string> parts, CipherKey& key) {
    // No length selected: the key keeps its words.
    if (!length) return true;
    if (length == KeyLength::Bits128) {
        key = Numerical128(parts);
        return true;
    }
    std::optional<CipherKey> words = NumericalByPart(parts);
    if (!words) return false;
    key = std::move(*words);
    return true;
}

bool AssembleKey(const KeyEntry& entry, CipherKey& key) {
    if (KeyTypeAt(entry.keyType) == KeyType::Text) {
        std::optional<std::string> bytes = TextKeyBytes(entry.parts[0]);
        if (!bytes) return false;
        key = TextKey(*bytes);
        WipeText(*bytes);
        return true;
    }
    return AssembleNumericalKey(KeyLengthAt(entry.keyLength), entry.parts, key);
}

}  // namespace tarvoss
