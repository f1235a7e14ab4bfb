#include "KeyArgument.h"

#include "cipher/KeyWipe.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "cipher/KeyRules.h"
#include "cipher/TextKeyBytes.h"

namespace tarvoss::cli {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    // Sized up front: growth would leave copies of the key's groups behind.
    std::vector<std::string> parts;
    parts.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), separator)) + 1);
    parts.emplace_back();
    for (const char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

}  // namespace

bool ReadKey(const std::string& type, const std::string& length, const std::string& text, CipherKey& key,
             std::string& error) {
    const std::optional<KeyLength> keyLength = KeyLengthNamed(length);
    if (!keyLength) {
        error = "unknown key length \"" + length + "\"";
        return false;
    }
    const KeyType keyType = KeyTypeNamed(type).value_or(KeyType::Numerical);
    const KeyRule& rule = KeyRuleFor(keyType, *keyLength);
    const std::string bits = std::string(rule.bits) + " bit";

    if (keyType == KeyType::Text) {
        // One byte per character, so the length counts both alike.
        std::optional<std::string> bytes = TextKeyBytes(text);
        if (!bytes) {
            error = std::string(kTextKeyOutsideCodePage);
            return false;
        }
        const WipedAtExit<std::string> wipeBytes(*bytes);
        const std::size_t count = bytes->size();
        if (count != static_cast<std::size_t>(rule.partCharacters)) {
            error = "a " + bits + " text key must have exactly " + std::to_string(rule.partCharacters) +
                    " characters; this one has " + std::to_string(count);
            return false;
        }
        key = TextKey(*bytes);
        return true;
    }
    std::vector<std::string> parts = Split(text, '-');
    const WipedAtExit<std::vector<std::string>> wipeParts(parts);
    if (parts.size() != static_cast<std::size_t>(rule.parts)) {
        error = "a " + bits + " numerical key is " + std::to_string(rule.parts) +
                " groups of digits joined by \"-\"; this one has " + std::to_string(parts.size());
        return false;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t digits = static_cast<std::size_t>(rule.partCharacters);
        if (parts[i].empty() || parts[i].size() > digits || !AllowedKeyText(rule.characters, parts[i])) {
            // Names the group and the rule, never what was typed.
            error = "group " + std::to_string(i + 1) + " of the key must be 1 to " +
                    std::to_string(rule.partCharacters) + " digits";
            return false;
        }
    }
    if (!AssembleNumericalKey(*keyLength, parts, key)) {
        error = "the key cannot be used";
        return false;
    }
    return true;
}

}  // namespace tarvoss::cli
