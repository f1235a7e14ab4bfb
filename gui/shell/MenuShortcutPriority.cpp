#include "shell/MenuShortcutPriority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tarvoss {

MenuShortcutPriority::MenuShortcutPriority(QWidget* window) : QObject(window), window_(window) {
    qApp->installEventFilter(this);
}

bool MenuShortcutPriority::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only inside the main window: a dialog's edit boxes keep their keys.
    if (widget == nullptr || widget->window() != window_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : window_->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty() && action->shortcut() == pressed && action->isEnabled()) {
            // Left unaccepted, the override lets the shortcut fire.
            event->ignore();
            return true;
        }
    }
    return false;
}

}  // namespace tarvoss
