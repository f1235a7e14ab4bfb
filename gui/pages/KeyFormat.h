#pragma once
// The form of a key for each key type and key length: how many part fields
// are in use, how many characters each takes and how wide the first one is.
// The Parameters page and the key generator lay out their key fields by it;
// the parts and characters come from the key rules of the engine.

#include "cipher/KeyRules.h"

namespace tarvoss {

// Entries of the key-type and key-length lists.
inline constexpr int kNumericalKey = static_cast<int>(KeyType::Numerical);
inline constexpr int kTextKey = static_cast<int>(KeyType::Text);
inline constexpr int kKeyLength128 = static_cast<int>(KeyLength::Bits128);
inline constexpr int kKeyLength96 = static_cast<int>(KeyLength::Bits96);
inline constexpr int kKeyLength64 = static_cast<int>(KeyLength::Bits64);

struct KeyFormat {
    bool text = false;     // one text field instead of digit groups
    int visibleParts = 5;  // parts 1 to visibleParts are shown
    int maxLength = 8;     // characters per visible part, typed or pasted
    int firstPartWidth = 53;

    // Separators stand between visible parts.
    int VisibleSeparators() const { return visibleParts - 1; }
};

// The format for the entries `keyType` and `keyLength` of the two lists.
// Every type other than Text is read as Numerical, and every length other
// than 96 and 64 bit as 128 bit, so that a list without a selection still
// gives a usable form.
KeyFormat KeyFormatFor(int keyType, int keyLength);

}  // namespace tarvoss
