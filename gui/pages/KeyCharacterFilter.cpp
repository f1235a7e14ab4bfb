#include "pages/KeyCharacterFilter.h"

#include <QKeyEvent>

#include "cipher/KeyRules.h"

namespace tarvoss {

TypedCharacter ClassifyForNumericalKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace) return TypedCharacter::Accepted;
    // Keys that move or delete without typing anything.
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Delete) {
        return TypedCharacter::None;
    }
    // Keys that type a control character whatever the platform reports as
    // their text.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        return TypedCharacter::Refused;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    // Ctrl with a letter types a control character (Ctrl+C is 3); Ctrl with
    // anything else types nothing. Ctrl+Alt is AltGr and types ordinary
    // characters.
    if ((modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier)) {
        const bool letter = key >= Qt::Key_A && key <= Qt::Key_Z;
        return letter ? TypedCharacter::Refused : TypedCharacter::None;
    }
    const QString text = event.text();
    if (text.isEmpty()) return TypedCharacter::None;
    // toLatin1 gives 0 for a character beyond Latin-1, which is no digit.
    if (text.size() == 1 && IsKeyDigit(text[0].toLatin1())) return TypedCharacter::Accepted;
    return TypedCharacter::Refused;
}

}  // namespace tarvoss
