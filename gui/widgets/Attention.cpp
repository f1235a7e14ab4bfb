#include "widgets/Attention.h"

#include <QPalette>
#include <QWidget>

#include "widgets/Colours.h"

namespace tarvoss {
namespace {

void SetBackground(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, colour);
    control->setPalette(palette);
}

}  // namespace

void MarkForAttention(QWidget* control) {
    if (control == nullptr) return;
    SetBackground(control, kCream);
    control->setFocus();
}

void ClearAttention(QWidget* control) {
    if (control == nullptr) return;
    SetBackground(control, Qt::white);
}

}  // namespace tarvoss
