#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "SettingsTests.h"
#include "platform/FileSystem.h"
#include "settings/OptionsForm.h"
#include "support/ScriptedMessageBoxes.h"
#include "widgets/FlatButton.h"

namespace tarvoss::test {
namespace {

// The dialog as the user sees it: shown (which loads the settings), with the
// program's shipped language files beside the test executable.
struct ShownDialog {
    explicit ShownDialog(MessageBoxes& boxes)
        : dialog(boxes),
          fullLoads(&dialog, &TfrmOptions::fullLoadRequested),
          hideKeys(&dialog, &TfrmOptions::hideKeyStored) {
        dialog.show();
    }
    template <typename T>
    T* find(const char* name) {
        return dialog.findChild<T*>(name);
    }
    void Choose(const QString& language) {
        auto* languages = find<QComboBox>("cboCurLang");
        languages->setCurrentIndex(languages->findText(language));
    }
    // Presses the Close button and releases the mouse at `point` of it.
    void ReleaseCloseAt(QPoint point) {
        auto* close = find<FlatButton>("shpClose");
        QTest::mousePress(close, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(close, Qt::LeftButton, {}, point);
    }

    TfrmOptions dialog;
    QSignalSpy fullLoads;
    QSignalSpy hideKeys;
};

class OptionsFormTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ClearProgramSettings(); }

    void firstStartShowsEnglishAndEverySwitchOn() {
        QDir::setCurrent(QDir::tempPath());
        testing::ScriptedMessageBoxes boxes;
        ShownDialog shown(boxes);
        auto* languages = shown.find<QComboBox>("cboCurLang");
        QCOMPARE(languages->currentText(), QString("English"));
        QCOMPARE(languages->count(), 3);
        QCOMPARE(languages->itemText(1), QString("Deutsch"));
        QCOMPARE(languages->itemText(2), QString("Русский"));
        auto* files = shown.find<QComboBox>("cboLangFiles");
        QVERIFY(!files->isVisible());
        QCOMPARE(files->itemText(0), QString("English"));
        QCOMPARE(files->itemText(1), QString("German.lng"));
        for (const char* name : {"cbHideKey", "cbShowConfDialog", "cbShowErrs", "cbShowLog"}) {
            QVERIFY2(shown.find<QCheckBox>(name)->isChecked(), name);
        }
        QVERIFY(!shown.find<QCheckBox>("cbShowLog")->isEnabled());
        QCOMPARE(shown.dialog.LoadedLanguageIndex(), 0);
        // Loading made the program's folder the current directory.
        QCOMPARE(QDir::currentPath() + "/", QString::fromStdString(ProgramFolder()));
    }

    void storedLanguageIsMatchedWithCase_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("file") << "Russian.lng"
                              << "Русский";
        QTest::newRow("other case") << "russian.lng"
                                    << "English";
        QTest::newRow("English") << "English"
                                 << "English";
        QTest::newRow("missing file") << "Klingon.lng"
                                      << "English";
    }
    void storedLanguageIsMatchedWithCase() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        WriteProgramSetting("CurrentLanguage", stored);
        testing::ScriptedMessageBoxes boxes;
        ShownDialog dialog(boxes);
        QCOMPARE(dialog.find<QComboBox>("cboCurLang")->currentText(), shown);
    }

    void closeStoresLanguageAndSwitchesAndReloads() {
        testing::ScriptedMessageBoxes boxes;
        ShownDialog shown(boxes);
        shown.Choose("Deutsch");
        shown.find<QCheckBox>("cbShowErrs")->setChecked(false);
        shown.find<QCheckBox>("cbHideKey")->setChecked(false);
        shown.ReleaseCloseAt(QPoint(-2, 5));  // within the tolerance left of the button

        QCOMPARE(ReadProgramSetting("CurrentLanguage").toString(), QString("German.lng"));
        QCOMPARE(ReadProgramSetting("ShowErrors").toInt(), 0);
        QCOMPARE(ReadProgramSetting("HideKey").toInt(), 0);
        QCOMPARE(ReadProgramSetting("ShowConfDialog").toInt(), 1);
        QCOMPARE(shown.fullLoads.count(), 1);
        QCOMPARE(shown.hideKeys.count(), 1);
        QCOMPARE(shown.hideKeys.at(0).at(0).toBool(), false);
        QVERIFY(boxes.Boxes().empty());
        QCOMPARE(shown.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!shown.dialog.isVisible());
    }

    void backToEnglishAsksForARestart() {
        WriteProgramSetting("CurrentLanguage", "German.lng");
        testing::ScriptedMessageBoxes boxes;
        ShownDialog shown(boxes);
        shown.Choose("English");
        shown.ReleaseCloseAt(QPoint(50, 12));

        QCOMPARE(ReadProgramSetting("CurrentLanguage").toString(), QString("English"));
        QCOMPARE(boxes.Boxes().size(), std::size_t{1});
        QCOMPARE(boxes.Boxes()[0].kind, std::string("information"));
        QCOMPARE(boxes.Boxes()[0].text, std::string("Please restart the application to apply the changes."));
        QCOMPARE(boxes.Boxes()[0].caption, std::string("Information"));
        QCOMPARE(shown.fullLoads.count(), 1);
    }

    void sameLanguageStoresWithoutReload() {
        testing::ScriptedMessageBoxes boxes;
        ShownDialog shown(boxes);
        shown.find<QCheckBox>("cbShowConfDialog")->setChecked(false);
        shown.ReleaseCloseAt(QPoint(50, 12));
        QCOMPARE(ReadProgramSetting("CurrentLanguage").toString(), QString("English"));
        QCOMPARE(ReadProgramSetting("ShowConfDialog").toInt(), 0);
        QCOMPARE(shown.fullLoads.count(), 0);
        QVERIFY(boxes.Boxes().empty());
    }

    void otherWaysOfClosingStoreNothing() {
        testing::ScriptedMessageBoxes boxes;
        ShownDialog shown(boxes);
        shown.Choose("Deutsch");
        shown.ReleaseCloseAt(QPoint(-10, 5));  // too far from the button
        QVERIFY(shown.dialog.isVisible());
        shown.ReleaseCloseAt(QPoint(5, 40));
        QVERIFY(shown.dialog.isVisible());
        shown.dialog.reject();  // the window's close button, Escape
        QVERIFY(!ReadProgramSetting("CurrentLanguage").isValid());
        QCOMPARE(shown.fullLoads.count(), 0);
    }
};

}  // namespace

int RunOptionsFormTest(int argc, char** argv) {
    OptionsFormTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace tarvoss::test

#include "OptionsFormTest.moc"
