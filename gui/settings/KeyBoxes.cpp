#include "settings/KeyBoxes.h"

#include <QLineEdit>
#include <QString>

namespace tarvoss {

void ApplyHideKey(QWidget* paramsPage, bool hide) {
    if (paramsPage == nullptr) return;
    for (int part = 1; part <= 5; ++part) {
        auto* box = paramsPage->findChild<QLineEdit*>(QString("txtKeyPart%1").arg(part));
        if (box == nullptr) continue;
        // The style's own mask character would differ from platform to
        // platform; the key boxes always show "*".
        box->setStyleSheet(hide ? "QLineEdit { lineedit-password-character: 42; }" : QString());
        box->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    }
}

}  // namespace tarvoss
