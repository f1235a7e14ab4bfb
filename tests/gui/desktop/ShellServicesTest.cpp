#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "desktop/ShellServices.h"
#include "platform/FileSystem.h"
#include "support/ScriptedMessageBoxes.h"

namespace tarvoss {

class ShellServicesTest : public QObject {
    Q_OBJECT
private slots:
    void helpShowsThePageOfItsTopic_data();
    void helpShowsThePageOfItsTopic();
    void missingHelpModuleIsReported();
    void missingHelpPagesAreReportedByName();
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
    testing::ScriptedMessageBoxes boxes;

    // The help module and the pages lie beside the executables.
    ShowHelp(boxes, topic);

    QVERIFY(boxes.Boxes().empty());
    QTextBrowser* browser = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "HelpWindow" && window->isVisible()) {
            browser = window->findChild<QTextBrowser*>("HelpBrowser");
        }
    }
    QVERIFY(browser != nullptr);
    QCOMPARE(browser->source(), QUrl::fromLocalFile(QString::fromStdString(ProgramFolder()) + "help/" + page));
    QVERIFY(!browser->toPlainText().isEmpty());
}

void ShellServicesTest::missingHelpModuleIsReported() {
    testing::ScriptedMessageBoxes boxes;
    ShowHelpFrom(boxes, "/nonexistent/", "/nonexistent/help/", "tarvoss-no-such-help-module", kHelpTopicContents);
    QCOMPARE(boxes.Boxes().size(), 1u);
    QCOMPARE(boxes.Boxes()[0].kind, std::string("error"));
    QCOMPARE(boxes.Boxes()[0].caption, std::string("Error"));
    QCOMPARE(boxes.Boxes()[0].text, std::string(kHelpModuleMissing));
}

void ShellServicesTest::missingHelpPagesAreReportedByName() {
    // The real module, in a program folder whose help lacks a file.
    const QString module = QString::fromStdString(ProgramFolder()) + kHelpLibrary;
    const struct {
        const char* topics;   // the table of pages; nullptr: none
        const char* missing;  // the file the message names
    } cases[] = {
        {nullptr, "help/topics.txt"},
        {"1 contents.html\n4 key-parameters.html\n", "help/contents.html"},
        {"4 key-parameters.html\n", "help/topics.txt"},  // the table names no contents page
    };
    for (const auto& c : cases) {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString programFolder = folder.path() + "/";
        if (c.topics != nullptr) {
            QVERIFY(QDir(programFolder).mkdir("help"));
            QFile table(programFolder + "help/topics.txt");
            QVERIFY(table.open(QIODevice::WriteOnly));
            table.write(c.topics);
        }
        testing::ScriptedMessageBoxes boxes;

        ShowHelpFrom(boxes, programFolder, programFolder + "help/", module, kHelpTopicContents);

        QCOMPARE(boxes.Boxes().size(), 1u);
        QCOMPARE(boxes.Boxes()[0].kind, std::string("error"));
        QCOMPARE(boxes.Boxes()[0].caption, std::string("Error"));
        QCOMPARE(boxes.Boxes()[0].text, HelpPagesMissingText(programFolder + c.missing));
        QVERIFY(QString::fromStdString(boxes.Boxes()[0].text).contains(programFolder + c.missing));
    }
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::ShellServicesTest)
#include "ShellServicesTest.moc"
