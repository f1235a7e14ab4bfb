// What a screen reader and a keyboard user meet: every control of every page
// and dialog has a role and a name in the window's language, the drawn
// controls tell their state and value, and Tab reaches every control.

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <set>

#include "dialogs/KeyGenForm.h"
#include "gui/support/WindowTestSettings.h"
#include "lang/LanguageState.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "settings/OptionsForm.h"
#include "shell/AboutForm.h"
#include "shell/StartUp.h"
#include "support/ScriptedMessageBoxes.h"
#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {
namespace {

// Roles of things a user acts on or reads a value from.
bool IsControlRole(QAccessible::Role role) {
    static const std::set<QAccessible::Role> controls = {
        QAccessible::Button,       QAccessible::PushButton, QAccessible::CheckBox,    QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::List,       QAccessible::Table,       QAccessible::Tree,
        QAccessible::ProgressBar,  QAccessible::PageTab,    QAccessible::RadioButton,
    };
    return controls.contains(role);
}

// Every visible control below `window` that has no role or no name, as
// "objectName (role)".
QStringList UnnamedControls(QWidget* window) {
    QStringList unnamed;
    std::vector<QAccessibleInterface*> pending{QAccessible::queryAccessibleInterface(window)};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        if (node == nullptr) continue;
        auto* widget = qobject_cast<QWidget*>(node->object());
        if (widget != nullptr && !widget->isVisible()) continue;
        const bool takesKeys = widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) && widget != window;
        const QAccessible::Role role = node->role();
        // A control, or anything else the keyboard reaches (a link), needs a
        // role that says what it is and a name.
        if (IsControlRole(role) || takesKeys) {
            const bool vague = role == QAccessible::NoRole || role == QAccessible::Client;
            if (vague || node->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << QString("%1 (role %2)").arg(node->object()->objectName()).arg(int(role));
        }
        // The items of lists and tables are named by their own texts.
        if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree) continue;
        for (int i = 0; i < node->childCount(); ++i) pending.push_back(node->child(i));
    }
    return unnamed;
}

QString NameOf(QWidget* control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); }

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(settings_.Isolate());
        QAccessible::setActive(true);
    }
    void init() {
        QSettings("Mirrowdale", "Tarvoss").clear();
        SetLanguageState({});
    }
    void everyControlHasARoleAndAName_data();
    void everyControlHasARoleAndAName();
    void drawnControlsTellTheirStateAndValue();
    void tabReachesEveryControlOfThePage();

private:
    test::WindowTestSettings settings_;
};

void AccessibilityTest::everyControlHasARoleAndAName_data() {
    QTest::addColumn<QString>("language");  // the Settings dialog's entry
    QTest::addColumn<QString>("goButton");
    QTest::addColumn<QString>("keyPart2");
    QTest::addColumn<QString>("fileList");
    QTest::addColumn<QString>("totalGauge");
    QTest::newRow("built-in") << ""
                              << "Encrypt"
                              << "Key 2"
                              << "Files and folders to process"
                              << "Total progress:";
    QTest::newRow("German") << "Deutsch"
                            << "Verschlüsseln"
                            << "Schlüssel 2"
                            << "Zu verarbeitende Dateien und Ordner"
                            << "Gesamtfortschritt:";
    QTest::newRow("Russian") << "Русский"
                             << "Зашифровать"
                             << "Ключ 2"
                             << "Файлы и папки для обработки"
                             << "Общий прогресс:";
}

void AccessibilityTest::everyControlHasARoleAndAName() {
    QFETCH(QString, language);
    QFETCH(QString, goButton);
    QFETCH(QString, keyPart2);
    QFETCH(QString, fileList);
    QFETCH(QString, totalGauge);
    testing::ScriptedMessageBoxes boxes;
    ProgramWindows windows(boxes, {});
    TfrmMain& main = windows.main();
    main.show();
    QTRY_COMPARE_WITH_TIMEOUT(main.SelectedPage(), 1, 5000);
    if (!language.isEmpty()) {
        TfrmOptions* options = main.frmOptions();
        options->show();
        auto* languages = options->findChild<QComboBox*>("cboCurLang");
        languages->setCurrentIndex(languages->findText(language));
        QTest::mouseClick(options->findChild<FlatButton*>("shpClose"), Qt::LeftButton, {}, QPoint(10, 10));
    }

    for (int page : {1, 2, 3}) {
        main.SelectPage(page);
        QCOMPARE(UnnamedControls(&main).join(", "), QString());
    }
    QCOMPARE(NameOf(main.framGo()->findChild<QWidget*>("shpGo")), goButton);
    QCOMPARE(NameOf(main.findChild<QWidget*>("txtKeyPart2")), keyPart2);
    QCOMPARE(NameOf(main.findChild<QWidget*>("lstFiles")), fileList);
    QCOMPARE(NameOf(main.findChild<QWidget*>("pbTotal")), totalGauge);

    for (QDialog* dialog : std::initializer_list<QDialog*>{main.frmKeyGen(), main.frmOptions(), main.frmAbout()}) {
        dialog->show();
        QCOMPARE(UnnamedControls(dialog).join(", "), QString());
        dialog->hide();
    }
}

void AccessibilityTest::drawnControlsTellTheirStateAndValue() {
    testing::ScriptedMessageBoxes boxes;
    ProgramWindows windows(boxes, {});
    TfrmMain& main = windows.main();
    main.show();
    QTRY_COMPARE_WITH_TIMEOUT(main.SelectedPage(), 1, 5000);

    // A toolbar button is a page tab, selected while its page is on show;
    // pressing it shows the page.
    QAccessibleInterface* paramsTab = QAccessible::queryAccessibleInterface(main.findChild<QWidget*>("shpParams"));
    QCOMPARE(paramsTab->role(), QAccessible::PageTab);
    QCOMPARE(paramsTab->text(QAccessible::Name), QString("Parameters"));
    QVERIFY(!paramsTab->state().selected);
    paramsTab->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(main.SelectedPage(), 2);
    QVERIFY(paramsTab->state().selected);

    // A flat button is a button; pressing it clicks it.
    auto* help = main.findChild<FlatButton*>("shpRestoreDef");
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(help);
    QCOMPARE(button->role(), QAccessible::Button);
    QCOMPARE(button->childCount(), 0);
    QSignalSpy clicked(help, &FlatButton::clicked);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(clicked.count(), 1);

    // A gauge is a progress bar with its value.
    auto* gauge = main.findChild<TCGauge*>("pbTotal");
    gauge->SetMaxValue(8);
    gauge->SetProgress(2);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(gauge);
    QCOMPARE(bar->role(), QAccessible::ProgressBar);
    QCOMPARE(bar->valueInterface()->currentValue().toLongLong(), 2);
    QCOMPARE(bar->valueInterface()->maximumValue().toLongLong(), 8);
    QCOMPARE(bar->text(QAccessible::Value), QString("25 %"));
}

void AccessibilityTest::tabReachesEveryControlOfThePage() {
    testing::ScriptedMessageBoxes boxes;
    ProgramWindows windows(boxes, {});
    TfrmMain& main = windows.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTRY_COMPARE_WITH_TIMEOUT(main.SelectedPage(), 1, 5000);
    main.framParams()->SelectAction(0);
    main.framParams()->lstActionClick();

    for (int page : {1, 2, 3}) {
        main.SelectPage(page);
        std::set<QWidget*> reached;
        for (int step = 0; step < 40; ++step) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        for (QWidget* control : main.findChildren<QWidget*>()) {
            if (!control->isVisible() || !control->isEnabled() || !(control->focusPolicy() & Qt::TabFocus)) continue;
            QVERIFY2(reached.contains(control),
                     qPrintable(QString("page %1: %2").arg(page).arg(control->objectName())));
        }
    }

    // Space on the action button starts the run; it stops at the empty list.
    main.SelectPage(3);
    QCOMPARE(QApplication::focusWidget(), main.framGo()->findChild<QWidget*>("shpGo"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(boxes.Boxes().size(), 1u);
    QCOMPARE(boxes.Boxes()[0].caption, std::string("Information"));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::AccessibilityTest)
#include "AccessibilityTest.moc"
