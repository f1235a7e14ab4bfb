#pragma once
// Turns the key the user entered (key type, key length and the part texts)
// into the four cipher key words.

#include "cipher/CipherKey.h"
#include "cipher/KeyRules.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace tarvoss {

// The key as the lists and fields hold it; the lists' entries are the values
// of KeyType and KeyLength (KeyRules.h), -1 when nothing is selected.
struct KeyEntry {
    int keyType = 0;                               // any entry but Text counts as Numerical
    int keyLength = 0;                             // ignored by a text key
    std::array<std::string, kKeyPartCount> parts;  // the part texts, UTF-8
};

// Writes the key words for `entry` into `key` and returns true. A numerical
// key without a selected length keeps `key` as it is and returns true. A
// 96- or 64-bit part that is not a decimal number fitting a signed 32-bit
// integer is refused, and so is a text key with a character outside the text
// keys' code page (see TextKeyBytes.h): the result is false and `key` stays
// unchanged.
bool AssembleKey(const KeyEntry& entry, CipherKey& key);

// The two halves of AssembleKey for a caller that holds the key in its own
// form (the command line). A text key from its code-page bytes (see
// TextKeyBytes.h): at most 16 bytes are taken, little-endian four to a word,
// and the rest of the key is zero.
CipherKey TextKey(const std::string& bytes);
// A numerical key from its parts (a part beyond `parts` counts as empty),
// with the same results as AssembleKey.
bool AssembleNumericalKey(std::optional<KeyLength> length, std::span<const std::string> parts, CipherKey& key);

}  // namespace tarvoss
