#include "shell/AboutForm.h"

#include <QLabel>

#include "desktop/ProductInfo.h"
#include "widgets/FlatButton.h"
#include "widgets/MenuImages.h"

namespace tarvoss {
namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QString Link(const QString& target, const QString& text) { return QString("<a href=\"%1\">%2</a>").arg(target, text); }

}  // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QString("About ") + kProductName);
    setFont(QFont("MS Sans Serif", 8));
    setFixedSize(360, 190);

    auto* image = new QLabel(this);
    image->setObjectName("imgProduct");
    image->setPixmap(DrawMenuImage(MenuImage::Encrypt, 48));
    image->setGeometry(20, 20, 48, 48);

    QLabel* name = AddLabel(this, "lblProductName", kProductName, 88, 18);
    QFont big = name->font();
    big.setPointSize(16);
    big.setBold(true);
    name->setFont(big);
    name->adjustSize();
    AddLabel(this, "lblVersion", QString("Version ") + kProductVersion, 88, 52);
    AddLabel(this, "lblDescription", "Encrypts and decrypts your files with a key of your own.", 20, 84);
    AddLabel(this, "lblMaker", QString("\u00A9 ") + kMakerName, 20, 106);

    QLabel* web = AddLabel(this, "lblWeb", Link(kMakerHomePage, kMakerHomePage), 20, 124);
    QLabel* mail = AddLabel(this, "lblEmail", Link(QString("mailto:") + kMakerEmail, kMakerEmail), 20, 142);
    // A screen reader reads the addresses, not their markup.
    web->setAccessibleName(kMakerHomePage);
    mail->setAccessibleName(kMakerEmail);
    for (QLabel* link : {web, mail}) {
        link->setTextInteractionFlags(Qt::TextBrowserInteraction);
        link->setOpenExternalLinks(true);
    }

    auto* ok = new FlatButton("shpOK", "lblOK", "OK", this);
    ok->move(width() - 100 - 16, height() - 24 - 14);
    ok->Arrange(100, 24);
    connect(ok, &FlatButton::clicked, this, &QDialog::accept);
}

}  // namespace tarvoss
