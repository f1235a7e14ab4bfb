#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <future>

#include "shell/QtMessageBoxes.h"

namespace tarvoss {

class QtMessageBoxesTest : public QObject {
    Q_OBJECT
private slots:
    void eachKindHasItsIconAndButtons_data();
    void eachKindHasItsIconAndButtons();
    void aQuestionBelongsToTheWidgetOfItsOwner();
    void aWorkerWaitsForTheAnswerWhileTheWindowRuns_data();
    void aWorkerWaitsForTheAnswerWhileTheWindowRuns();
};

void QtMessageBoxesTest::eachKindHasItsIconAndButtons_data() {
    using Kind = QtMessageBoxes::Kind;
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::newRow("information") << Kind::Information << QMessageBox::Information
                                 << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("error") << Kind::Error << QMessageBox::Critical << QMessageBox::StandardButtons(QMessageBox::Ok);
    QTest::newRow("question") << Kind::Question << QMessageBox::Warning << (QMessageBox::Yes | QMessageBox::No);
    QTest::newRow("confirmation") << Kind::Confirmation << QMessageBox::Question
                                  << (QMessageBox::Yes | QMessageBox::No);
}

void QtMessageBoxesTest::eachKindHasItsIconAndButtons() {
    QFETCH(QtMessageBoxes::Kind, kind);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QMessageBox::StandardButtons, buttons);
    const auto box = QtMessageBoxes::BuildBox(kind, "Der Schlüssel ist zu kurz.", "Error");
    QCOMPARE(box->icon(), icon);
    QCOMPARE(box->standardButtons(), buttons);
    QCOMPARE(box->windowTitle(), QString("Error"));
    QCOMPARE(box->text(), QString("Der Schlüssel ist zu kurz."));
    QCOMPARE(box->parentWidget(), nullptr);
}

void QtMessageBoxesTest::aQuestionBelongsToTheWidgetOfItsOwner() {
    QWidget window;
    auto* goPage = new QWidget(&window);
    auto* filesPage = new QWidget(&window);
    QtMessageBoxes boxes;
    boxes.SetOwner(BoxOwner::GoPage, goPage);
    boxes.SetOwner(BoxOwner::FilesPage, filesPage);
    boxes.SetOwner(BoxOwner::None, &window);  // no owner stays no owner
    QCOMPARE(boxes.OwnerWidget(BoxOwner::GoPage), goPage);
    QCOMPARE(boxes.OwnerWidget(BoxOwner::FilesPage), filesPage);
    QCOMPARE(boxes.OwnerWidget(BoxOwner::None), nullptr);
    // A page that went owns nothing any more.
    delete filesPage;
    QCOMPARE(boxes.OwnerWidget(BoxOwner::FilesPage), nullptr);
    using Kind = QtMessageBoxes::Kind;
    QCOMPARE(QtMessageBoxes::BuildBox(Kind::Question, "?", "Tarvoss", goPage)->parentWidget(), goPage);
}

void QtMessageBoxesTest::aWorkerWaitsForTheAnswerWhileTheWindowRuns_data() {
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << QMessageBox::Yes << true;
    QTest::newRow("No") << QMessageBox::No << false;
}

void QtMessageBoxesTest::aWorkerWaitsForTheAnswerWhileTheWindowRuns() {
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(bool, yes);
    QtMessageBoxes boxes;

    // The window thread answers the box as soon as it is up; the timer only
    // fires because the window thread keeps running while the worker waits.
    QString asked;
    QTimer answerer;
    connect(&answerer, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = box->text();
            box->button(button)->click();
        }
    });
    answerer.start(5);

    auto answer = std::async(std::launch::async, [&boxes] {
        return boxes.AskQuestion("Do you really want to stop encrypting ?", "Tarvoss");
    });
    QTRY_VERIFY_WITH_TIMEOUT(answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready, 10000);
    QCOMPARE(answer.get(), yes);
    QCOMPARE(asked, QString("Do you really want to stop encrypting ?"));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::QtMessageBoxesTest)
#include "QtMessageBoxesTest.moc"
