#pragma once
// The main menu's shortcuts come before the edit boxes' own keys: Ctrl+A in a
// key field adds files, as the menu promises, instead of selecting the field's
// text. Qt asks the focused widget first (a ShortcutOverride event) and an edit
// box claims Ctrl+A and similar keys; this filter answers that question for
// the keys the window's menu owns, so the menu item runs.

#include <QObject>

class QWidget;

namespace tarvoss {

class MenuShortcutPriority : public QObject {
    Q_OBJECT
public:
    // Watches the whole application on behalf of `window`, whose actions
    // carry the shortcuts. The filter goes away with `window`.
    explicit MenuShortcutPriority(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

}  // namespace tarvoss
