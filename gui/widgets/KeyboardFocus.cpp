#include "widgets/KeyboardFocus.h"

#include <QWidget>

namespace tarvoss {

void ReleaseFocusWithin(QWidget* area) {
    if (area == nullptr) return;
    QWidget* focused = area->window()->focusWidget();
    if (focused != nullptr && (focused == area || area->isAncestorOf(focused))) focused->clearFocus();
}

void FocusFirstControl(QWidget* area) {
    if (area == nullptr) return;
    // The window's focus chain holds its controls in their tab order.
    for (QWidget* control = area->nextInFocusChain(); control != area; control = control->nextInFocusChain()) {
        if (area->isAncestorOf(control) && (control->focusPolicy() & Qt::TabFocus) &&
            control->isVisibleTo(area->window()) && control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

}  // namespace tarvoss
