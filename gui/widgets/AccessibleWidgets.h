#pragma once
// What a screen reader learns about the program's drawn controls: a flat
// button is a push button named by its caption that can be pressed, a gauge
// is a progress bar with its value. Qt asks the factory installed here for
// their interfaces; the widgets install it when the first one is made.

#include <QAccessibleWidget>

class QLabel;

namespace tarvoss {

class FlatButton;
class TCGauge;

// A button drawn by the program: its caption label is its name (an accessible
// name set on the button comes first) and not a child of its own; pressing
// it through the interface acts as a click.
class AccessibleDrawnButton : public QAccessibleWidget {
public:
    AccessibleDrawnButton(QWidget* button, QLabel* caption, QAccessible::Role role = QAccessible::Button);
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    // What pressing the button does; the flat button clicks itself.
    virtual void Press();
    // Whether the button is the selected one of its group (a page tab).
    virtual bool Selected() const { return false; }

private:
    QLabel* caption_;
};

// A gauge: a progress bar with its progress, minimum and maximum as value.
class AccessibleGauge : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleGauge(TCGauge* gauge);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    TCGauge* Gauge() const;
};

// Installs the factory for flat buttons and gauges once.
void InstallAccessibleWidgets();

}  // namespace tarvoss
