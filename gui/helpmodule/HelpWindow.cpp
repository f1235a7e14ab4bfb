#include "HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tarvoss::help {

HelpWindow::HelpWindow(const QString& contentsPage) : browser_(new QTextBrowser(this)) {
    setObjectName("HelpWindow");
    setWindowTitle("Tarvoss Help");
    // Closing the help must neither end the program nor keep it running.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);

    auto* contents = new QPushButton("Contents", this);
    auto* back = new QPushButton("Back", this);
    auto* forward = new QPushButton("Forward", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this, contentsPage] { ShowPage(contentsPage); });
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(720, 540);
    if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void HelpWindow::ShowPage(const QString& page) {
    const QUrl url = QUrl::fromLocalFile(page);
    if (browser_->source() != url) browser_->setSource(url);
    show();
    raise();
    activateWindow();
}

}  // namespace tarvoss::help
