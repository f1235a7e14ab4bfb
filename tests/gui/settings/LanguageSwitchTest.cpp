// The whole program's windows switching their language through the Settings
// dialog, as a user does it.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <set>

#include "SettingsTests.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "platform/FileSystem.h"
#include "settings/OptionsForm.h"
#include "settings/TextCatalogue.h"
#include "settings/ToolkitTranslations.h"
#include "shell/StartUp.h"
#include "support/ScriptedMessageBoxes.h"
#include "widgets/FlatButton.h"

namespace tarvoss::test {
namespace {

struct Started {
    explicit Started(MessageBoxes& boxes) : windows(boxes, std::vector<std::string>{}) {
        QTRY_COMPARE_WITH_TIMEOUT(windows.main().SelectedPage(), 1, 5000);
    }
    TfrmMain& main() { return windows.main(); }
    QString Menu(const char* name) { return main().findChild<QMenu*>(name)->title(); }
    QString Item(const char* name) { return main().findChild<QAction*>(name)->text(); }
    QString Caption(const char* name) { return main().findChild<QLabel*>(name)->text(); }

    // View > Settings, choose a language, Close.
    void ChooseLanguage(const QString& language) {
        TfrmOptions* options = main().frmOptions();
        options->show();
        auto* languages = options->findChild<QComboBox*>("cboCurLang");
        languages->setCurrentIndex(languages->findText(language));
        auto* close = options->findChild<FlatButton*>("shpClose");
        QTest::mouseClick(close, Qt::LeftButton, {}, QPoint(10, 10));
    }

    ProgramWindows windows;
};

// The toolkit's caption of a standard button, as a message box shows it.
QString YesButtonText() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    return box.button(QMessageBox::Yes)->text();
}

class LanguageSwitchTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        ClearProgramSettings();
        SetLanguageState({});
        UseToolkitTranslation(QString());
    }
    void cleanupTestCase() { UseToolkitTranslation(QString()); }

    // The main window's section is complete, and so is every other section
    // that a window or page has begun to fill: each key has a row.
    void everyContributedSectionIsComplete() {
        testing::ScriptedMessageBoxes boxes;
        Started started(boxes);
        std::set<std::pair<std::string, std::string>> rows;
        for (const TextRow* row : LanguageTexts().OrderedRows()) {
            rows.insert({std::string(row->section), std::string(row->key)});
        }
        for (const KnownSection& section : KnownSections()) {
            const bool contributed =
                std::any_of(rows.begin(), rows.end(), [&](const auto& row) { return row.first == section.name; });
            if (section.name != kMainFormSection && !contributed) continue;
            for (const KnownKey& key : section.keys) {
                const std::string where = std::string(section.name) + "/" + std::string(key.key);
                QVERIFY2(rows.contains({std::string(section.name), std::string(key.key)}),
                         qPrintable("no row for " + QString::fromStdString(where)));
            }
        }
    }

    // Before any language file, every control and stored text shows the
    // built-in English text of its key.
    void everyRowStartsWithItsBuiltInText() {
        testing::ScriptedMessageBoxes boxes;
        Started started(boxes);
        for (const TextRow* row : LanguageTexts().OrderedRows()) {
            const QString where = QString::fromUtf8(row->section) + "/" + QString::fromUtf8(row->key);
            QVERIFY2(row->text() == QString::fromUtf8(BuiltInText(row->section, row->key)), qPrintable(where));
        }
    }

    void switchesToAFileAndBackToEnglish() {
        testing::ScriptedMessageBoxes boxes;
        Started started(boxes);
        QCOMPARE(started.Menu("mnuFile"), QString("&File"));
        QCOMPARE(started.Item("mnuViewPagesGo"), QString("Go"));  // built-in texts

        started.ChooseLanguage("Deutsch");
        QCOMPARE(started.Menu("mnuFile"), QString("&Datei"));
        QCOMPARE(started.Menu("mnuViewPages"), QString("Seiten"));
        QCOMPARE(started.Caption("lblTlParams"), QString("Parameter"));
        QCOMPARE(started.Item("mnuViewPagesGo"), QString("Los!"));
        QCOMPARE(started.Item("mnuHelpAbout"), QString("Über Tarvoss..."));
        QCOMPARE(started.main().frmOptions()->windowTitle(), QString("Einstellungen"));
        QVERIFY(started.main().CloseQueryText().startsWith("Nicht alle Dateien"));
        QCOMPARE(LookupSize(kButtonWidthKey, kDefaultButtonWidth), 130);
        QCOMPARE(YesButtonText(), QString("&Ja"));

        started.ChooseLanguage("Русский");
        QCOMPARE(started.Menu("mnuFile"), QString("&Файл"));
        QCOMPARE(started.Item("mnuViewPagesFiles"), QString("Файлы"));
        QCOMPARE(YesButtonText(), QString("&Да"));
        QVERIFY(boxes.Boxes().empty());

        // English needs a restart; until then the texts stay, and so do the sizes.
        started.ChooseLanguage("English");
        QCOMPARE(boxes.Boxes().size(), std::size_t{1});
        QCOMPARE(boxes.Boxes()[0].text, std::string("Please restart the application to apply the changes."));
        QCOMPARE(started.Menu("mnuFile"), QString("&Файл"));
        QCOMPARE(LookupSize(kButtonWidthKey, kDefaultButtonWidth), 120);
        QCOMPARE(YesButtonText(), QString("&Да"));
        QCOMPARE(ReadProgramSetting("CurrentLanguage").toString(), QString("English"));
    }

    void storedLanguageAppliesAtStartUp() {
        WriteProgramSetting("CurrentLanguage", "Russian.lng");
        testing::ScriptedMessageBoxes boxes;
        Started started(boxes);
        QCOMPARE(started.Menu("mnuHelp"), QString("&Справка"));
        QCOMPARE(started.main().frmOptions()->windowTitle(), QString("Настройки"));
    }

    void missingFileAtStartUpFallsBackToEnglish() {
        WriteProgramSetting("CurrentLanguage", "Klingon.lng");
        testing::ScriptedMessageBoxes boxes;
        Started started(boxes);
        QCOMPARE(boxes.Boxes().size(), std::size_t{1});
        QCOMPARE(boxes.Boxes()[0].kind, std::string("error"));
        QCOMPARE(boxes.Boxes()[0].text, std::string(kMissingLanguageFileText));
        QCOMPARE(boxes.Boxes()[0].caption, std::string("Tarvoss"));
        QCOMPARE(started.Menu("mnuFile"), QString("&File"));
    }
};

}  // namespace

int RunLanguageSwitchTest(int argc, char** argv) {
    LanguageSwitchTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace tarvoss::test

#include "LanguageSwitchTest.moc"
