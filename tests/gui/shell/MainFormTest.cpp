#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "cipher/InPlaceJournal.h"
#include "cipher/PendingJournals.h"
#include "dialogs/KeyGenForm.h"
#include "gui/shell/FakePages.h"
#include "gui/support/WindowTestSettings.h"
#include "pages/KeyFormat.h"
#include "shell/ProgramArguments.h"
#include "shell/StartUp.h"
#include "shell/ToolbarButton.h"
#include "support/ScriptedMessageBoxes.h"
#include "widgets/Attention.h"
#include "widgets/Colours.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

const char* const kHints[] = {
    "Select files or folders you want to encrypt/decrypt",
    "Select algorithm and key parameters",
    "Click on the button to start encrypting/decrypting",
};

QColor Background(const QWidget* control) { return control->palette().color(QPalette::Base); }

// Shows `page` the way a user does: a press on its toolbar button, its item
// of View > Pages, or its shortcut typed where the focus is.
void SwitchPage(TfrmMain& main, const QString& way, int page) {
    const char* shapes[] = {"shpFiles", "shpParams", "shpGo"};
    const char* items[] = {"mnuViewPagesFiles", "mnuViewPagesParams", "mnuViewPagesGo"};
    if (way == "toolbar") {
        QTest::mouseClick(main.findChild<QWidget*>(shapes[page - 1]), Qt::LeftButton);
    } else if (way == "menu") {
        main.findChild<QAction*>(items[page - 1])->trigger();
    } else {
        QWidget* focused = QApplication::focusWidget();
        QTest::keySequence(focused != nullptr ? focused : &main, QKeySequence(QString("Ctrl+%1").arg(page)));
    }
}

// Types `keys` as the keyboard delivers them: to the control with the focus.
void TypeWhereTheFocusIs(TfrmMain& main, const QString& keys) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClicks(focused != nullptr ? focused : &main, keys);
    QTest::keyClick(focused != nullptr ? focused : &main, Qt::Key_Backspace);
}

// A Go! page that notes the caption of its action button each time it is
// asked to lay itself out.
class RecordingGo : public TframGo {
public:
    RecordingGo(MessageBoxes& boxes, QWidget* parent, QStringList& log) : TframGo(boxes, parent), log_(log) {}
    void ArrangePage() override { log_ << findChild<FlatButton*>("shpGo")->text(); }

private:
    QStringList& log_;
};

}  // namespace

// The program's windows with recording pages, started as the program starts.
struct StartedWindows {
    explicit StartedWindows(MessageBoxes& boxes, const std::vector<std::string>& arguments = {})
        : steps(log), windows(boxes, arguments, test::FakePages(log)) {
        main().SetLanguageSteps(&steps);
    }
    TfrmMain& main() { return windows.main(); }
    // Waits for the first load and forgets what the window did until then.
    void WaitForLoad() {
        QTRY_COMPARE_WITH_TIMEOUT(main().SelectedPage(), 1, 5000);
        log.clear();
    }
    template <typename T>
    T* find(const char* name) {
        return main().findChild<T*>(name);
    }
    QStringList log;
    test::FakeLanguageSteps steps;
    ProgramWindows windows;
};

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void actionChoiceSetsTheGoCaption();
    void initTestCase();
    void startUpCreatesTheWindowAndLoadsOnce();
    void loadWaitsForTheKeyGenerator();
    void toolbarPressSelectsItsPage();
    void selectPageShowsOnePageWithItsHint_data();
    void selectPageShowsOnePageWithItsHint();
    void selectPageClearsTheAttentionMarks();
    void keysReachOnlyTheShownPage_data();
    void keysReachOnlyTheShownPage();
    void shortcutsRunTheirCommands_data();
    void shortcutsRunTheirCommands();
    void menuShortcutsComeBeforeEditBoxKeys();
    void protectionItemSwitchesTheImages();
    void commandLinePathGoesToTheFileList();
    void droppedPathsAreAddedLastFirst();
    void closeQuery_data();
    void closeQuery();
    void pendingJournalsAreOfferedAtStart();

private:
    test::WindowTestSettings settings_;
    std::unique_ptr<testing::ScriptedMessageBoxes> boxes_;
};

void MainFormTest::initTestCase() {
    // The Settings dialog reads and writes the user's settings: keep them here.
    QVERIFY(settings_.Isolate());
    boxes_ = std::make_unique<testing::ScriptedMessageBoxes>();
}

void MainFormTest::startUpCreatesTheWindowAndLoadsOnce() {
    StartedWindows started(*boxes_);
    TfrmMain& window = started.main();

    QCOMPARE(window.windowTitle(), QString("Tarvoss 1.2"));
    QCOMPARE(window.width(), 640);
    QCOMPARE(window.height() - window.menuBar()->height(), 382);
    QCOMPARE(window.statusBar()->height(), 19);
    QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(window.windowFlags() & Qt::WindowSystemMenuHint);

    auto* container = started.find<QWidget>("panContainer");
    QCOMPARE(container->geometry(), QRect(112, 0, 528, 363));
    QStringList pages;
    for (QObject* child : container->children()) pages << child->objectName();
    QCOMPARE(pages, QStringList({"framFiles", "framParams", "framGo"}));
    for (const char* name : {"frmKeyGen", "frmAbout", "frmOptions"}) {
        QVERIFY2(started.find<QWidget>(name) != nullptr, name);
    }
    // The About box names the same version as the caption.
    QCOMPARE(started.find<QLabel>("lblVersion")->text(), QString("Version 1.2"));

    // Until the first tick of the load timer no page is selected.
    QCOMPARE(window.SelectedPage(), 0);
    QVERIFY(!window.framFiles()->isVisibleTo(&window));
    QTRY_COMPARE_WITH_TIMEOUT(window.SelectedPage(), 1, 5000);
    QCOMPARE(started.log, QStringList({"DetermineLanguageFile", "ApplyLanguageTexts", "Files.ArrangePage",
                                       "Params.ArrangePage", "Go.ArrangePage", "ApplyKeyFormat", "SelectAction 0"}));
    QVERIFY(!started.find<QTimer>("tmrLoadLang")->isActive());
    QVERIFY(window.framFiles()->isVisibleTo(&window));
    QCOMPARE(window.StatusText(), QString(kHints[0]));

    // The toolbar as the load lays it out.
    const int tops[] = {10, 70, 130};
    const char* names[][3] = {{"shpFiles", "imgTlFiles", "lblTlFiles"},
                              {"shpParams", "imgTlParams", "lblTlParams"},
                              {"shpGo", "imgTlGo", "lblTlGo"}};
    QWidget* client = window.centralWidget();
    for (int i = 0; i < 3; ++i) {
        auto* shape = started.find<ToolbarButton>(names[i][0]);
        QCOMPARE(shape->geometry(), QRect(10, tops[i], 95, 55));
        QCOMPARE(shape->faceColour(), i == 0 ? kToolbarSelectedFace : kToolbarFace);
        auto* image = started.find<QLabel>(names[i][1]);
        auto* label = started.find<QLabel>(names[i][2]);
        QCOMPARE(image->mapTo(client, QPoint()), QPoint(57 - 12, tops[i] + 5));
        QCOMPARE(label->mapTo(client, QPoint()), QPoint(57 - label->width() / 2, tops[i] + 33));
    }
}

void MainFormTest::loadWaitsForTheKeyGenerator() {
    QStringList log;
    TfrmMain window(*boxes_, std::vector<std::string>{}, test::FakePages(log));
    QTest::qWait(50);
    QCOMPARE(window.SelectedPage(), 0);
    QVERIFY(log.isEmpty());

    window.AttachDialogs(new TfrmKeyGen(*boxes_, &window), nullptr, nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(window.SelectedPage(), 1, 5000);
    QCOMPARE(log.count("ApplyKeyFormat"), 1);
}

void MainFormTest::toolbarPressSelectsItsPage() {
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    auto* label = started.find<QLabel>("lblTlGo");
    auto* image = started.find<QLabel>("imgTlGo");
    const QPoint labelAt = label->pos();
    const QPoint imageAt = image->pos();

    // Any mouse button, on face, image or caption; the page changes on the press.
    QTest::mousePress(label, Qt::RightButton);
    QCOMPARE(started.main().SelectedPage(), 3);
    QCOMPARE(label->pos(), labelAt + QPoint(1, 1));
    QCOMPARE(image->pos(), imageAt + QPoint(1, 1));
    QTest::mouseRelease(label, Qt::RightButton);
    QCOMPARE(label->pos(), labelAt);
    QCOMPARE(image->pos(), imageAt);

    QTest::mouseClick(started.find<QWidget>("imgTlParams"), Qt::LeftButton);
    QCOMPARE(started.main().SelectedPage(), 2);
    QTest::mouseClick(started.find<QWidget>("shpFiles"), Qt::LeftButton);
    QCOMPARE(started.main().SelectedPage(), 1);
}

void MainFormTest::selectPageShowsOnePageWithItsHint_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("Files") << 1;
    QTest::newRow("Parameters") << 2;
    QTest::newRow("Go!") << 3;
}

void MainFormTest::selectPageShowsOnePageWithItsHint() {
    QFETCH(int, page);
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    TfrmMain& window = started.main();
    window.SetStatusText("Please wait...");

    window.SelectPage(page);
    QCOMPARE(window.StatusText(), QString(kHints[page - 1]));
    const QWidget* pages[] = {window.framFiles(), window.framParams(), window.framGo()};
    const char* shapes[] = {"shpFiles", "shpParams", "shpGo"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(pages[i]->isVisibleTo(&window), i + 1 == page);
        QCOMPARE(started.find<ToolbarButton>(shapes[i])->faceColour(),
                 i + 1 == page ? kToolbarSelectedFace : kToolbarFace);
    }
}

void MainFormTest::selectPageClearsTheAttentionMarks() {
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    QWidget* marked[] = {started.find<QLineEdit>("txtDestDir"), started.find<QListWidget>("lstAction"),
                         started.find<QLineEdit>("txtKeyPart3")};
    for (QWidget* control : marked) MarkForAttention(control);
    QCOMPARE(Background(marked[1]), kCream);

    // Selecting the page already on show clears the marks all the same.
    started.main().SelectPage(1);
    for (QWidget* control : marked) QCOMPARE(Background(control), QColor(Qt::white));
}

void MainFormTest::keysReachOnlyTheShownPage_data() {
    QTest::addColumn<int>("keyType");
    QTest::addColumn<QString>("key");  // typed into the first part field
    // One character short of a full text key: a stray key would complete it.
    QTest::newRow("text key") << kTextKey << "abcdefghijklmno";
    // A full group of digits: a stray letter would bring up the wrong-symbol box.
    QTest::newRow("numerical key") << kNumericalKey << "1234567";
}

void MainFormTest::keysReachOnlyTheShownPage() {
    QFETCH(int, keyType);
    QFETCH(QString, key);
    testing::ScriptedMessageBoxes boxes;
    ProgramWindows windows(boxes, {});
    TfrmMain& main = windows.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTRY_COMPARE_WITH_TIMEOUT(main.SelectedPage(), 1, 5000);
    TframParams& params = *main.framParams();

    for (const char* way : {"toolbar", "menu", "shortcut"}) {
        for (int page : {1, 3}) {
            SwitchPage(main, way, 2);
            QCOMPARE(main.SelectedPage(), 2);
            params.KeyTypeCombo()->setCurrentIndex(keyType);
            params.cboKeyTypeChange();
            params.KeyPart(1)->setFocus();
            QTest::keyClicks(params.KeyPart(1), key);
            const KeyEntry typed = params.CurrentKeyEntry();

            SwitchPage(main, way, page);
            QCOMPARE(main.SelectedPage(), page);
            TypeWhereTheFocusIs(main, "Z9");

            const QString where = QString("%1 to page %2").arg(way).arg(page);
            QVERIFY2(params.CurrentKeyEntry().parts == typed.parts, qPrintable(where));
            QVERIFY2(boxes.Boxes().empty(), qPrintable(where));
            // The page on show has the focus, on a control the user sees.
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused != nullptr && focused->isVisible(), qPrintable(where));
            const QWidget* shown[] = {main.framFiles(), main.framParams(), main.framGo()};
            QVERIFY2(shown[page - 1]->isAncestorOf(focused), qPrintable(where));
        }
    }
}

void MainFormTest::shortcutsRunTheirCommands_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("page");        // the page on show afterwards; 0: unchanged
    QTest::addColumn<QString>("window");  // a window the command shows

    const QStringList none;
    QTest::newRow("add files") << "Ctrl+A" << QStringList{"AddFiles"} << 0 << "";
    QTest::newRow("add folder") << "Ctrl+F" << QStringList{"AddFolder"} << 0 << "";
    QTest::newRow("remove") << "Ctrl+R" << QStringList{"RemoveSelected"} << 0 << "";
    QTest::newRow("encrypt") << "Ctrl+E" << QStringList{"SelectAction 0", "lstActionClick", "StartAction"} << 3 << "";
    QTest::newRow("decrypt") << "Ctrl+D" << QStringList{"SelectAction 1", "lstActionClick", "StartAction"} << 3 << "";
    QTest::newRow("files page") << "Ctrl+1" << none << 1 << "";
    QTest::newRow("parameters page") << "Ctrl+2" << none << 2 << "";
    QTest::newRow("go page") << "Ctrl+3" << none << 3 << "";
    QTest::newRow("settings") << "F2" << none << 0 << "frmOptions";
    QTest::newRow("key generator") << "F5" << none << 0 << "frmKeyGen";
    QTest::newRow("help") << "F1" << none << 0 << "HelpWindow";
}

void MainFormTest::shortcutsRunTheirCommands() {
    QFETCH(QString, keys);
    QFETCH(QStringList, calls);
    QFETCH(int, page);
    QFETCH(QString, window);
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    TfrmMain& main = started.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    main.SelectPage(2);

    // A dialog is modal: note which one is up and close it.
    QString modal;
    QTimer::singleShot(0, this, [&modal] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            modal = dialog->objectName();
            dialog->close();
        }
    });
    QTest::keySequence(&main, QKeySequence(keys));

    QCOMPARE(started.log, calls);
    QCOMPARE(main.SelectedPage(), page == 0 ? 2 : page);
    if (window == "HelpWindow") {
        QWidget* help = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == window && top->isVisible()) help = top;
        }
        QVERIFY(help != nullptr);
        help->close();
    } else {
        QCOMPARE(modal, window);
    }
}

void MainFormTest::menuShortcutsComeBeforeEditBoxKeys() {
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    TfrmMain& main = started.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    main.SelectPage(2);
    auto* part = started.find<QLineEdit>("txtKeyPart1");
    QVERIFY(part != nullptr);
    part->setFocus();
    QTRY_VERIFY(part->hasFocus());

    // An edit box claims Ctrl+A (select all) and Ctrl+R for itself; the menu's
    // items run instead.
    QTest::keySequence(part, QKeySequence("Ctrl+A"));
    QTest::keySequence(part, QKeySequence("Ctrl+R"));
    QCOMPARE(started.log, (QStringList{"AddFiles", "RemoveSelected"}));
    // Keys the menu does not own still reach the box.
    QTest::keyClicks(part, "12");
    QCOMPARE(part->text(), QString("12"));
}

void MainFormTest::protectionItemSwitchesTheImages() {
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    auto* item = started.find<QAction>("mnuToolsASP");
    const QWidget* page = started.main().framParams();
    auto* disabledImage = started.find<QWidget>("imgASPDisabled");
    auto* enabledImage = started.find<QWidget>("imgASPEnabled");
    QVERIFY(item->isChecked());

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!disabledImage->isVisibleTo(page));
    QVERIFY(enabledImage->isVisibleTo(page));

    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(disabledImage->isVisibleTo(page));
    QVERIFY(!enabledImage->isVisibleTo(page));
    QVERIFY(started.log.isEmpty());
}

void MainFormTest::commandLinePathGoesToTheFileList() {
    {
        // Each argument is a path of its own, spaces and all (a file
        // manager's "Open With" on several items gives several).
        StartedWindows started(*boxes_, {"/home/me/My Documents", "/home/me/b.txt"});
        QCOMPARE(started.log, (QStringList{"AddPath /home/me/My Documents", "AddPath /home/me/b.txt"}));
    }
    {
        // Qt is given the program's name alone; what looks like one of its
        // options is a path like any other.
        std::string name = "tarvoss", option = "-reverse";
        char* argv[] = {name.data(), option.data(), nullptr};
        ProgramArguments arguments(2, argv);
        QCOMPARE(arguments.QtArgc(), 1);
        QCOMPARE(std::string(arguments.QtArgv()[0]), name);
        QCOMPARE(arguments.QtArgv()[1], nullptr);
        StartedWindows started(*boxes_, arguments.Paths());
        QCOMPARE(started.log, QStringList{"AddPath -reverse"});
    }
    StartedWindows bare(*boxes_);
    QVERIFY(bare.log.isEmpty());
}

void MainFormTest::droppedPathsAreAddedLastFirst() {
    StartedWindows started(*boxes_);
    started.WaitForLoad();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/data/A"), QUrl::fromLocalFile("/data/B folder"),
                  QUrl("https://example.org/page"), QUrl::fromLocalFile("/data/C.txt")});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&started.main(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&started.main(), &drop);

    QCOMPARE(started.log, QStringList({"AddPath /data/C.txt", "AddPath /data/B folder", "AddPath /data/A"}));
}

void MainFormTest::closeQuery_data() {
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("no run") << false << false << true;
    QTest::newRow("run, answered Yes") << true << true << true;
    QTest::newRow("run, answered No") << true << false << false;
}

void MainFormTest::closeQuery() {
    QFETCH(bool, running);
    QFETCH(bool, answer);
    QFETCH(bool, closes);
    testing::ScriptedMessageBoxes boxes;
    StartedWindows started(boxes);
    started.WaitForLoad();
    TfrmMain& window = started.main();
    window.show();
    window.framGo()->SetRunUnfinished(running);
    boxes.AnswerNext(answer);

    QCOMPARE(window.close(), closes);
    QCOMPARE(window.isVisible(), !closes);
    if (!running) {
        QVERIFY(boxes.Boxes().empty());
        return;
    }
    QCOMPARE(boxes.Boxes().size(), 1u);
    const auto question = boxes.Boxes().front();
    QCOMPARE(question.kind, std::string("question"));
    QCOMPARE(question.text, std::string("Not all files in the list are processed. Do you really want to quit ?"));
    QCOMPARE(question.caption, std::string("Tarvoss"));
    QVERIFY(question.owner == BoxOwner::None);
}

namespace {

// Leaves a journal as an interrupted in-place run of `direction` on `path` does.
bool LeaveJournal(const std::string& path, Direction direction, std::uint64_t inode) {
    JournalHeader header;
    header.path = path;
    header.direction = direction;
    header.identity = {1, inode};
    LayoutOfPlainFile(1000, 4, header.layout);
    header.windowBytes = 4096;
    MakeKeyCheck(header, 0x9E3779B9, CipherKey{1, 2, 3, 4});
    InPlaceJournal journal;
    if (!journal.Create(JournalPathFor(header.identity), header)) return false;
    journal.Close();
    return true;
}

}  // namespace

void MainFormTest::pendingJournalsAreOfferedAtStart() {
    QTemporaryDir state;
    QVERIFY(state.isValid());
    const QByteArray previous = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toUtf8());
    {
        // Nothing waits: no box.
        testing::ScriptedMessageBoxes boxes;
        StartedWindows started(boxes);
        started.WaitForLoad();
        QVERIFY(boxes.Boxes().empty());
    }
    const std::string film = (state.path() + "/film.mp4").toStdString();
    const std::string notes = (state.path() + "/notes.txt").toStdString();
    const std::string gone = (state.path() + "/moved away.doc").toStdString();
    for (const std::string& file : {film, notes}) {
        QFile made(QString::fromStdString(file));
        QVERIFY(made.open(QIODevice::WriteOnly));
    }
    QVERIFY(LeaveJournal(film, Direction::Encrypt, 2));
    QVERIFY(LeaveJournal(notes, Direction::Decrypt, 3));
    QVERIFY(LeaveJournal(gone, Direction::Encrypt, 4));
    {
        // Declined: the list stays as it is, the journals too.
        testing::ScriptedMessageBoxes boxes;
        StartedWindows started(boxes);
        started.WaitForLoad();
        QCOMPARE(boxes.Boxes().size(), 2u);
        const std::string notice = boxes.Boxes()[0].text;
        QCOMPARE(boxes.Boxes()[0].kind, std::string("question"));
        QCOMPARE(boxes.Boxes()[0].caption, std::string("Tarvoss"));
        for (const std::string& part : {"\"" + film + "\" (encryption, 0 %)", "\"" + notes + "\" (decryption, 0 %)",
                                        std::string("in place"), std::string("same key type, key length and key"),
                                        std::string("tarvoss-cli recover"), std::string("wait for encryption")}) {
            QVERIFY2(notice.find(part) != std::string::npos, part.c_str());
        }
        QVERIFY(notice.find(gone) == std::string::npos);
        QVERIFY(boxes.Boxes()[1].text.find("\"" + gone + "\"") != std::string::npos);
        QCOMPARE(ListPendingJournals().size(), 3u);
    }
    {
        // Accepted: the files of the first direction go in the list, in place,
        // with their action; the user is left at the key. The journal of the
        // file that is gone is dropped.
        testing::ScriptedMessageBoxes boxes;
        boxes.AnswerNext(true);
        boxes.AnswerNext(true);
        StartedWindows started(boxes);
        started.find<QComboBox>("cboCryptType")->setCurrentIndex(1);
        TfrmMain& main = started.main();
        QTRY_COMPARE_WITH_TIMEOUT(main.SelectedPage(), 2, 5000);
        QCOMPARE(boxes.Boxes().size(), 2u);
        QVERIFY(started.log.contains("AddPath " + QString::fromStdString(film)));
        QVERIFY(!started.log.contains("AddPath " + QString::fromStdString(notes)));
        QCOMPARE(started.log.mid(started.log.size() - 2), (QStringList{"SelectAction 0", "lstActionClick"}));
        QCOMPARE(main.framFiles()->Mode(), ProcessingMode::InPlace);
        QCOMPARE(main.framParams()->KeyPart(1)->hasFocus() || main.focusWidget() == main.framParams()->KeyPart(1),
                 true);
        std::vector<std::string> left;
        for (const PendingJournal& item : ListPendingJournals()) left.push_back(item.header.path);
        QCOMPARE(left.size(), 2u);
        QVERIFY(std::find(left.begin(), left.end(), gone) == left.end());
    }
    qputenv("XDG_STATE_HOME", previous);
}

void MainFormTest::actionChoiceSetsTheGoCaption() {
    QStringList log;
    PageFactory pages;
    pages.go = [&log](MessageBoxes& boxes, QWidget* parent) { return new RecordingGo(boxes, parent, log); };
    TfrmMain main(*boxes_, {}, pages);
    TframParams& page = *main.framParams();
    auto* actions = static_cast<QListWidget*>(page.ActionList());
    auto click = [actions](int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(actions->viewport(), Qt::LeftButton, modifiers,
                          actions->visualItemRect(actions->item(row)).center());
    };
    main.show();
    main.SelectPage(TfrmMain::kParamsPage);

    page.SelectAction(0);
    QVERIFY(log.isEmpty());
    click(1);
    QCOMPARE(log, QStringList({"Decrypt"}));
    click(0);
    QCOMPARE(log, QStringList({"Decrypt", "Encrypt"}));
    // Taking the selection away chooses no action: the Encrypt caption.
    click(1);
    click(1, Qt::ControlModifier);
    QCOMPARE(page.SelectedAction(), -1);
    QCOMPARE(log, QStringList({"Decrypt", "Encrypt", "Decrypt", "Encrypt"}));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::MainFormTest)
#include "MainFormTest.moc"
