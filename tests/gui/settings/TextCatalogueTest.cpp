#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <memory>

#include "SettingsTests.h"
#include "lang/LanguageState.h"
#include "settings/TextCatalogue.h"
#include "support/TempDir.h"

namespace tarvoss::test {
namespace {

class TextCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        folder_ = std::make_unique<testing::TempDir>();
        std::filesystem::create_directory(folder_->path() / "Languages");
        testing::WriteFile(*folder_ / "Languages/T.lng",
                           "[MainForm]\nToolbar.lblGo=Los!\nMenu.File=&Datei\n"
                           "[frameParams]\nLabel.KeyType.Text=Text-DE\nLabel.Action=Aktion:\n"
                           "[frameGo]\nLog.Init=Protokoll\n");
        previous_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(folder_->path().string()));
        SetLanguageState({"Languages/T.lng", false});
    }
    void cleanup() {
        QDir::setCurrent(previous_);
        SetLanguageState({});
        folder_.reset();
    }

    void refusesRowsTheProgramDoesNotKnow() {
        TextCatalogue texts;
        QLabel label("x");
        QVERIFY(texts.AddLabel("MainForm", "Toolbar.lblGo", &label));
        QVERIFY(texts.AddLabel("mainform", "TOOLBAR.LBLGO", &label));  // names without case
        QVERIFY(!texts.AddLabel("MainForm", "Toolbar.lblStop", &label));
        QVERIFY(!texts.AddLabel("Options", "Toolbar.lblGo", &label));
        QVERIFY(!texts.AddLabel("MainForm", "Toolbar.lblGo", nullptr));
        QCOMPARE(texts.OrderedRows().size(), std::size_t{2});
    }

    // Rows added in any order are applied section by section and key by key
    // in the order of the known keys; each takes its target's current text as
    // the default and runs its further step right after.
    void appliesInCatalogueOrderWithCurrentTextsAsDefaults() {
        TextCatalogue texts;
        QStringList order;
        QLabel go("Go!");
        QLabel earlier("Vorher");  // a text of a language applied before
        QComboBox keyType;
        keyType.addItems({"Numerical", "Text"});
        auto owner = std::make_unique<QObject>();
        QString log = "Log is initialized";
        QAction file("&File");

        const auto note = [&order](const char* step) { return [&order, step] { order << step; }; };
        texts.AddStoredText("frameGo", "Log.Init", owner.get(), &log, note("Log.Init"));
        texts.AddComboItem("frameParams", "Label.KeyType.Text", &keyType, 1, [&] {
            order << "Label.KeyType.Text";
            keyType.setCurrentIndex(0);
        });
        texts.AddLabel("frameParams", "Label.Action", &earlier, note("Label.Action"));
        texts.AddAction("MainForm", "Menu.File", &file, note("Menu.File"));
        texts.AddLabel("MainForm", "Toolbar.lblGo", &go, note("Toolbar.lblGo"));
        texts.AddLabel("frameParams", "Label.Key", &earlier, note("Label.Key"));  // not in the file

        texts.Apply();
        QCOMPARE(order, QStringList({"Toolbar.lblGo", "Menu.File", "Label.Action", "Label.KeyType.Text", "Label.Key",
                                     "Log.Init"}));
        QCOMPARE(go.text(), QString("Los!"));
        QCOMPARE(file.text(), QString("&Datei"));
        QCOMPARE(keyType.itemText(1), QString("Text-DE"));
        QCOMPARE(keyType.currentIndex(), 0);
        QCOMPARE(log, QString("Protokoll"));
        QCOMPARE(earlier.text(), QString("Aktion:"));  // the missing key kept the current text

        // A row whose owner is gone is skipped.
        owner.reset();
        log = "untouched";
        order.clear();
        texts.Apply();
        QCOMPARE(log, QString("untouched"));
        QVERIFY(!order.contains("Log.Init"));
    }

    // Another window reads a shared text as the language made it: that of the
    // first row still there, the built-in English one without a row.
    void currentTextFollowsTheLanguageAndOutlivesNoOwner() {
        TextCatalogue texts;
        QCOMPARE(texts.CurrentText("frameParams", "Label.Action"), QString("Action:"));
        auto first = std::make_unique<QLabel>("Action:");
        QLabel second("Action:");
        texts.AddLabel("frameParams", "Label.Action", first.get());
        texts.AddLabel("frameParams", "Label.Action", &second);
        texts.Apply();
        QCOMPARE(texts.CurrentText("frameParams", "Label.Action"), QString("Aktion:"));
        first->setText("changed by hand");
        QCOMPARE(texts.CurrentText("frameParams", "Label.Action"), QString("changed by hand"));
        first.reset();
        QCOMPARE(texts.CurrentText("frameParams", "Label.Action"), QString("Aktion:"));
    }

    void builtInTextsApplyNothing() {
        TextCatalogue texts;
        QLabel go("Go!");
        texts.AddLabel("MainForm", "Toolbar.lblGo", &go);
        SetLanguageState({"Languages/T.lng", true});
        texts.Apply();
        QCOMPARE(go.text(), QString("Go!"));
    }

private:
    std::unique_ptr<testing::TempDir> folder_;
    QString previous_;
};

}  // namespace

int RunTextCatalogueTest(int argc, char** argv) {
    TextCatalogueTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace tarvoss::test

#include "TextCatalogueTest.moc"
