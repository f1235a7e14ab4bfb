#pragma once
// The keyboard side of the buttons the program draws itself: which keys
// press them, and the dotted frame that shows which one has the focus.

#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace tarvoss {

// Space and Enter press a button that has the focus (once per press, not
// again while the key is held).
inline bool IsButtonPressKey(const QKeyEvent* event) {
    const int key = event->key();
    return (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat();
}

// A dotted frame just inside the button's edge while it has the focus.
inline void DrawFocusFrame(QPainter& painter, const QWidget& button) {
    if (!button.hasFocus()) return;
    painter.setPen(QPen(button.palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(button.rect().adjusted(2, 2, -3, -3));
}

}  // namespace tarvoss
