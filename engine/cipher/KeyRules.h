#pragma once
// The forms a key takes, by key type and key length: how many parts it has,
// how many characters each part holds and which characters they may be. The
// window's key fields, its Start check, the command line and the key assembly
// all read them from the one table here.

#include <optional>
#include <span>
#include <string_view>

namespace tarvoss {

// The entries of the key-type list, in the list's order.
enum class KeyType { Numerical = 0, Text = 1 };
// The entries of the key-length list, in the list's order.
enum class KeyLength { Bits128 = 0, Bits96 = 1, Bits64 = 2 };

// The characters a key's parts may hold.
enum class KeyCharacters {
    Digits,    // "0" to "9"
    CodePage,  // any character with a byte in the text keys' code page (TextKeyBytes.h)
};

struct KeyRule {
    KeyType type;
    KeyLength length;
    std::string_view bits;  // "128", "96" or "64": the length as the command line names it
    int parts;              // parts 1 to `parts` make the key
    // A numerical part holds 1 to this many digits; a text key is exactly
    // this many characters.
    int partCharacters;
    KeyCharacters characters;
};

// The most parts any key has, and so the number of part fields.
inline constexpr int kKeyPartCount = 5;

// Every type with every length, one rule each.
std::span<const KeyRule> KeyRules();
const KeyRule& KeyRuleFor(KeyType type, KeyLength length);

// The most digits of any numerical part.
int LongestDigitGroup();

// Entry `index` of the key-type or key-length list; nothing for any other
// index, such as -1 when nothing is selected.
std::optional<KeyType> KeyTypeAt(int index);
std::optional<KeyLength> KeyLengthAt(int index);

// The names outside the window: "numerical" and "text", "128", "96" and "64".
std::string_view KeyTypeName(KeyType type);
std::optional<KeyType> KeyTypeNamed(std::string_view name);
std::optional<KeyLength> KeyLengthNamed(std::string_view bits);

bool IsKeyDigit(char c);

// True when `characters` allow every character of the UTF-8 `text`.
bool AllowedKeyText(KeyCharacters characters, std::string_view text);

}  // namespace tarvoss
