#pragma once
// The character filter of a numerical key: which key presses type a
// character, and which of those characters a digit group accepts.

class QKeyEvent;

namespace tarvoss {

enum class TypedCharacter {
    None,      // the press types no character (arrows, Delete, Tab, Ctrl+Home, ...)
    Accepted,  // a digit "0" to "9", or the backspace
    Refused,   // any other character, control characters such as Enter,
               // Escape or Ctrl+C included
};

TypedCharacter ClassifyForNumericalKey(const QKeyEvent& event);

}  // namespace tarvoss
