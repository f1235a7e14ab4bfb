#include <QApplication>
#include <QTest>
#include <QTextBrowser>

#include "gui/support/RecordingMessageBoxes.h"
#include "platform/FileSystem.h"
#include "shell/ShellServices.h"

namespace tarvoss {

class ShellServicesTest : public QObject {
    Q_OBJECT
private slots:
    void helpShowsThePageOfItsTopic_data();
    void helpShowsThePageOfItsTopic();
    void missingHelpModuleIsReported();
};

void ShellServicesTest::helpShowsThePageOfItsTopic_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("page");
    QTest::newRow("contents") << 1 << "contents.html";
    QTest::newRow("key parameters") << 4 << "key-parameters.html";
    QTest::newRow("unknown topic") << 99 << "contents.html";
}

void ShellServicesTest::helpShowsThePageOfItsTopic() {
    QFETCH(int, topic);
    QFETCH(QString, page);
    test::RecordingMessageBoxes boxes;

    // The help module and the pages lie beside the executables.
    ShowHelp(topic);

    QVERIFY(boxes.shown().empty());
    QTextBrowser* browser = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "HelpWindow" && window->isVisible()) {
            browser = window->findChild<QTextBrowser*>("HelpBrowser");
        }
    }
    QVERIFY(browser != nullptr);
    QCOMPARE(browser->source(),
             QUrl::fromLocalFile(QString::fromStdString(ProgramFolder()) + "help/" + page));
    QVERIFY(!browser->toPlainText().isEmpty());
}

void ShellServicesTest::missingHelpModuleIsReported() {
    test::RecordingMessageBoxes boxes;
    ShowHelpFrom("/nonexistent/", "tarvoss-no-such-help-module", kHelpTopicContents);
    QCOMPARE(boxes.shown().size(), 1u);
    QCOMPARE(boxes.shown()[0].kind, std::string("error"));
    QCOMPARE(boxes.shown()[0].caption, std::string("Error"));
    QCOMPARE(boxes.shown()[0].text, std::string(kHelpModuleMissing));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::ShellServicesTest)
#include "ShellServicesTest.moc"
