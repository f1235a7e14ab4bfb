#include "shell/QtMessageBoxes.h"

#include <QMessageBox>
#include <QThread>
#include <QWidget>

namespace tarvoss {

QtMessageBoxes::QtMessageBoxes(QObject* parent) : QObject(parent) {}

void QtMessageBoxes::SetOwner(BoxOwner owner, QWidget* widget) {
    if (owner != BoxOwner::None) owners_.at(static_cast<std::size_t>(owner)) = widget;
}

QWidget* QtMessageBoxes::OwnerWidget(BoxOwner owner) const { return owners_.at(static_cast<std::size_t>(owner)); }

void QtMessageBoxes::ShowInformation(const std::string& text, const std::string& caption) {
    Show(Kind::Information, text, caption, BoxOwner::None);
}

void QtMessageBoxes::ShowError(const std::string& text, const std::string& caption) {
    Show(Kind::Error, text, caption, BoxOwner::None);
}

bool QtMessageBoxes::AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner) {
    return Show(Kind::Question, text, caption, owner);
}

bool QtMessageBoxes::AskConfirmation(const std::string& text, const std::string& caption, BoxOwner owner) {
    return Show(Kind::Confirmation, text, caption, owner);
}

void QtMessageBoxes::OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [=, this] { OpenError(text, caption, dismissed); }, Qt::QueuedConnection);
        return;
    }
    QMessageBox* box = BuildBox(Kind::Error, text, caption).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    // However the box goes (OK, Escape, its close button, CloseOpenBoxes), the
    // caller learns of it once.
    connect(box, &QMessageBox::finished, this, [this, box, dismissed = std::move(dismissed)] {
        openBoxes_.removeAll(box);
        dismissed();
    });
    openBoxes_.append(box);
    box->show();
}

void QtMessageBoxes::CloseOpenBoxes() {
    // An error box has one answer, OK.
    const auto boxes = openBoxes_;
    for (const QPointer<QMessageBox>& box : boxes) {
        if (!box.isNull()) box->done(QMessageBox::Ok);
    }
    openBoxes_.clear();
}

std::unique_ptr<QMessageBox> QtMessageBoxes::BuildBox(Kind kind, const std::string& text, const std::string& caption,
                                                      QWidget* owner) {
    auto box = std::make_unique<QMessageBox>(owner);
    box->setWindowTitle(QString::fromStdString(caption));
    box->setText(QString::fromStdString(text));
    switch (kind) {
    case Kind::Information:
        box->setIcon(QMessageBox::Information);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case Kind::Error:
        box->setIcon(QMessageBox::Critical);
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case Kind::Question:
    case Kind::Confirmation:
        box->setIcon(kind == Kind::Question ? QMessageBox::Warning : QMessageBox::Question);
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        break;
    }
    return box;
}

bool QtMessageBoxes::Show(Kind kind, const std::string& text, const std::string& caption, BoxOwner owner) {
    if (QThread::currentThread() != thread()) {
        // A worker waits here while the window thread shows the box.
        bool yes = false;
        QMetaObject::invokeMethod(
            this, [&] { yes = Show(kind, text, caption, owner); }, Qt::BlockingQueuedConnection);
        return yes;
    }
    const auto box = BuildBox(kind, text, caption, OwnerWidget(owner));
    return box->exec() == QMessageBox::Yes;
}

}  // namespace tarvoss
