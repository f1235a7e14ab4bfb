#include "KeyArgument.h"

#include "cipher/KeyWipe.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <vector>

#include "cipher/TextKeyBytes.h"

namespace tarvoss::cli {
namespace {

struct LengthRule {
    const char* name;
    int index;               // the key length's index as the window selects it
    std::size_t parts;       // numerical parts
    std::size_t partDigits;  // at most this many digits per part
    std::size_t characters;  // exact length of a text key
};

constexpr LengthRule kRules[] = {
    {"128", 0, 5, 8, 16},
    {"96", 1, 5, 6, 12},
    {"64", 2, 4, 5, 8},
};

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

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool ReadKey(const std::string& type, const std::string& length, const std::string& text, KeyEntry& entry,
             std::string& error) {
    const LengthRule* rule = nullptr;
    for (const LengthRule& candidate : kRules)
        if (length == candidate.name) rule = &candidate;
    if (rule == nullptr) {
        error = "unknown key length \"" + length + "\"";
        return false;
    }
    entry = KeyEntry{};
    entry.keyLength = rule->index;
    const std::string bits = std::string(rule->name) + " bit";

    if (type == "text") {
        // One byte per character, so the length counts both alike.
        const std::optional<std::string> bytes = TextKeyBytes(text);
        if (!bytes) {
            error = std::string(kTextKeyOutsideCodePage);
            return false;
        }
        const std::size_t count = bytes->size();
        if (count != rule->characters) {
            error = "a " + bits + " text key must have exactly " + std::to_string(rule->characters) +
                    " characters; this one has " + std::to_string(count);
            return false;
        }
        entry.keyType = 1;
        entry.parts[0] = text;
    } else {
        std::vector<std::string> parts = Split(text, '-');
        const WipedAtExit<std::vector<std::string>> wipeParts(parts);
        if (parts.size() != rule->parts) {
            error = "a " + bits + " numerical key is " + std::to_string(rule->parts) +
                    " groups of digits joined by \"-\"; this one has " + std::to_string(parts.size());
            return false;
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (parts[i].empty() || parts[i].size() > rule->partDigits || !AllDigits(parts[i])) {
                // Names the group and the rule, never what was typed.
                error = "group " + std::to_string(i + 1) + " of the key must be 1 to " +
                        std::to_string(rule->partDigits) + " digits";
                return false;
            }
            entry.parts[i] = parts[i];
        }
        entry.keyType = 0;
    }
    CipherKey words{};
    const WipedAtExit<CipherKey> wipeWords(words);
    if (!AssembleKey(entry, words)) {
        error = "the key cannot be used";
        return false;
    }
    return true;
}

}  // namespace tarvoss::cli
