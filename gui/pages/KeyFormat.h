#pragma once
// The form of a key for each key type and key length: how many part fields
// are in use, how many characters each takes and how wide the first one is.
// The Parameters page and the key generator lay out their key fields by it.

namespace tarvoss {

// Entries of the key-type and key-length lists.
inline constexpr int kNumericalKey = 0;
inline constexpr int kTextKey = 1;
inline constexpr int kKeyLength128 = 0;
inline constexpr int kKeyLength96 = 1;
inline constexpr int kKeyLength64 = 2;

inline constexpr int kKeyPartCount = 5;

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
