#pragma once
// The bytes of a text key: one byte per character, by the Western European
// code page Windows-1252, so that a key of 16 characters is 16 bytes and every
// character counts. ASCII stays ASCII.

#include <optional>
#include <string>
#include <string_view>

namespace tarvoss {

// Shown when a text key holds a character that the code page lacks. It names
// the rule and never the characters typed.
inline constexpr std::string_view kTextKeyOutsideCodePage =
    "A text key may only hold characters of the Western European character set "
    "(Windows-1252), one byte each: letters such as \xC3\xA4, \xC3\xA9 or \xC3\x9F are fine, "
    "other scripts and most symbols are not. Please, change the key and try again.";

// The Windows-1252 bytes of the UTF-8 `text`, one per character; nothing when
// a character has no byte there or the text is not valid UTF-8.
std::optional<std::string> TextKeyBytes(std::string_view text);

}  // namespace tarvoss
