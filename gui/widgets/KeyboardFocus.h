#pragma once
// Where keystrokes go when the window changes what it shows: a control that
// is hidden must not keep the keyboard focus, or keys the user types on the
// page in view would change a field that the user cannot see.

class QWidget;

namespace tarvoss {

// Takes the keyboard focus away from any control inside `area` (the window's
// remembered focus included, which returns when the window is activated).
void ReleaseFocusWithin(QWidget* area);

// Gives the focus to the first control of `area` that the Tab key reaches
// (visible and enabled); nothing when it has none.
void FocusFirstControl(QWidget* area);

}  // namespace tarvoss
