#include "cipher/KeyRules.h"

#include <algorithm>
#include <array>
#include <string>

#include "cipher/TextKeyBytes.h"
#include "common/Wipe.h"

namespace tarvoss {
namespace {

constexpr std::array<KeyRule, 6> kRules = {{
    {KeyType::Numerical, KeyLength::Bits128, "128", 5, 8, KeyCharacters::Digits},
    {KeyType::Numerical, KeyLength::Bits96, "96", 5, 6, KeyCharacters::Digits},
    {KeyType::Numerical, KeyLength::Bits64, "64", 4, 5, KeyCharacters::Digits},
    {KeyType::Text, KeyLength::Bits128, "128", 1, 16, KeyCharacters::CodePage},
    {KeyType::Text, KeyLength::Bits96, "96", 1, 12, KeyCharacters::CodePage},
    {KeyType::Text, KeyLength::Bits64, "64", 1, 8, KeyCharacters::CodePage},
}};

constexpr std::array<std::string_view, 2> kTypeNames = {"numerical", "text"};

}  // namespace

std::span<const KeyRule> KeyRules() { return kRules; }

const KeyRule& KeyRuleFor(KeyType type, KeyLength length) {
    // The table holds every pair, so the search always ends on one.
    return *std::find_if(kRules.begin(), kRules.end(),
                         [&](const KeyRule& rule) { return rule.type == type && rule.length == length; });
}

int LongestDigitGroup() {
    int longest = 0;
    for (const KeyRule& rule : kRules)
        if (rule.characters == KeyCharacters::Digits) longest = std::max(longest, rule.partCharacters);
    return longest;
}

std::optional<KeyType> KeyTypeAt(int index) {
    if (index == static_cast<int>(KeyType::Numerical)) return KeyType::Numerical;
    if (index == static_cast<int>(KeyType::Text)) return KeyType::Text;
    return std::nullopt;
}

std::optional<KeyLength> KeyLengthAt(int index) {
    for (const KeyRule& rule : kRules)
        if (static_cast<int>(rule.length) == index) return rule.length;
    return std::nullopt;
}

std::string_view KeyTypeName(KeyType type) { return kTypeNames[static_cast<std::size_t>(type)]; }

std::optional<KeyType> KeyTypeNamed(std::string_view name) {
    for (std::size_t i = 0; i < kTypeNames.size(); ++i)
        if (kTypeNames[i] == name) return KeyTypeAt(static_cast<int>(i));
    return std::nullopt;
}

std::optional<KeyLength> KeyLengthNamed(std::string_view bits) {
    for (const KeyRule& rule : kRules)
        if (rule.bits == bits) return rule.length;
    return std::nullopt;
}

bool IsKeyDigit(char c) { return c >= '0' && c <= '9'; }

bool AllowedKeyText(KeyCharacters characters, std::string_view text) {
    if (characters == KeyCharacters::Digits) return std::all_of(text.begin(), text.end(), IsKeyDigit);
    std::optional<std::string> bytes = TextKeyBytes(text);
    if (!bytes) return false;
    // The bytes are the key's own: none is left behind.
    WipeText(*bytes);
    return true;
}

}  // namespace tarvoss
