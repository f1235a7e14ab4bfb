#include "widgets/AccessibleWidgets.h"

#include <QLabel>

#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {
namespace {

QAccessibleInterface* MakeInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<FlatButton*>(object)) return new AccessibleDrawnButton(button, button->label());
    if (auto* gauge = qobject_cast<TCGauge*>(object)) return new AccessibleGauge(gauge);
    return nullptr;
}

}  // namespace

AccessibleDrawnButton::AccessibleDrawnButton(QWidget* button, QLabel* caption, QAccessible::Role role)
    : QAccessibleWidget(button, role), caption_(caption) {}

QString AccessibleDrawnButton::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Name && widget()->accessibleName().isEmpty() && caption_ != nullptr)
        return caption_->text();
    return QAccessibleWidget::text(kind);
}

QAccessible::State AccessibleDrawnButton::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (Selected()) {
        state.selectable = true;
        state.selected = true;
    }
    return state;
}

QStringList AccessibleDrawnButton::actionNames() const { return {pressAction()}; }

void AccessibleDrawnButton::doAction(const QString& action) {
    if (action == pressAction()) Press();
}

void AccessibleDrawnButton::Press() {
    if (auto* button = qobject_cast<FlatButton*>(widget())) button->Click();
}

AccessibleGauge::AccessibleGauge(TCGauge* gauge) : QAccessibleWidget(gauge, QAccessible::ProgressBar) {}

void* AccessibleGauge::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString AccessibleGauge::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value) return QString::number(Gauge()->PercentDone()) + " %";
    return QAccessibleWidget::text(kind);
}

TCGauge* AccessibleGauge::Gauge() const { return static_cast<TCGauge*>(widget()); }

QVariant AccessibleGauge::currentValue() const { return QVariant::fromValue<qlonglong>(Gauge()->Progress()); }
QVariant AccessibleGauge::maximumValue() const { return QVariant::fromValue<qlonglong>(Gauge()->MaxValue()); }
QVariant AccessibleGauge::minimumValue() const { return QVariant::fromValue<qlonglong>(Gauge()->MinValue()); }

void InstallAccessibleWidgets() {
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace tarvoss
