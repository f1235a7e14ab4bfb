// The Go! page inside the program's real windows: the Start action's checks,
// the Stop action, whole runs over files and folder trees on a temporary
// folder, and leaving the program during a run. Message boxes are answered
// from a script.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include "batch/BatchWorker.h"
#include "batch/RunState.h"
#include "cipher/TextKeyBytes.h"
#include "common/MessageBoxes.h"
#include "gui/support/CliRunner.h"
#include "gui/support/StartedProgram.h"
#include "gui/support/WindowTestSettings.h"
#include "lang/LanguageState.h"
#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "platform/FileSystem.h"
#include "run/StartChecks.h"
#include "settings/OptionsForm.h"
#include "settings/SettingsStore.h"
#include "shell/QtMessageBoxes.h"
#include "shell/StartUp.h"
#include "support/FakeRunHost.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"
#include "widgets/Colours.h"
#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A run of a few files is over long before this; it only bounds a failing test.
constexpr int kRunLimit = 60000;  // ms

const std::array<QString, 5> kKey = {"12345678", "23456789", "34567890", "45678901", "56789012"};

using Box = testing::RecordedBox;
using ScriptedBoxes = testing::ScriptedMessageBoxes;

QString Q(const std::string& text) { return QString::fromStdString(text); }

QStringList Kinds(const ScriptedBoxes& boxes) {
    QStringList kinds;
    for (const Box& box : boxes.Boxes()) {
        kinds << QString::fromStdString(box.kind);
    }
    return kinds;
}

// Scripted boxes that also run `onError` once an error box is recorded.
class BoxesWithErrorHook final : public MessageBoxes {
public:
    explicit BoxesWithErrorHook(ScriptedBoxes& boxes) : boxes_(boxes) {}

    std::function<void()> onError;

    void ShowInformation(const std::string& text, const std::string& caption) override {
        boxes_.ShowInformation(text, caption);
    }
    void ShowError(const std::string& text, const std::string& caption) override {
        boxes_.ShowError(text, caption);
        if (onError) std::exchange(onError, nullptr)();
    }
    bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner) override {
        return boxes_.AskQuestion(text, caption, owner);
    }
    bool AskConfirmation(const std::string& text, const std::string& caption, BoxOwner owner) override {
        return boxes_.AskConfirmation(text, caption, owner);
    }

private:
    ScriptedBoxes& boxes_;
};

// The run's error boxes as the window shows them (modeless, real), every
// other box from the script.
class ModelessErrorBoxes final : public MessageBoxes {
public:
    explicit ModelessErrorBoxes(ScriptedBoxes& script) : script_(script) {}

    void ShowInformation(const std::string& text, const std::string& caption) override {
        script_.ShowInformation(text, caption);
    }
    void ShowError(const std::string& text, const std::string& caption) override { script_.ShowError(text, caption); }
    bool AskQuestion(const std::string& text, const std::string& caption, BoxOwner owner) override {
        return script_.AskQuestion(text, caption, owner);
    }
    void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) override {
        real_.OpenError(text, caption, std::move(dismissed));
    }
    void CloseOpenBoxes() override { real_.CloseOpenBoxes(); }

private:
    ScriptedBoxes& script_;
    QtMessageBoxes real_;
};

// The message box on screen, if any.
QMessageBox* VisibleBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (box != nullptr && box->isVisible()) return box;
    }
    return nullptr;
}

// A Go! page whose worker thread cannot be made.
class NoThreadGo final : public TframGo {
public:
    using TframGo::TframGo;

protected:
    bool CreateWorker(RunInputs) override { return false; }
};

// The program's windows after their first load, with the page's controls at hand.
struct Program : test::StartedProgram {
    explicit Program(MessageBoxes& boxes, const PageFactory& pages = {}) : StartedProgram(boxes, pages) {
        QApplication::setActiveWindow(&main());
    }

    template <typename T>
    T* OnGo(const char* name) {
        return go().findChild<T*>(name);
    }
    FlatButton* GoButton() { return OnGo<FlatButton>("shpGo"); }
    FlatButton* StopButton() { return OnGo<FlatButton>("shpStop"); }
    TCGauge* Gauge(const char* name) { return OnGo<TCGauge>(name); }

    void InPlace() { files().findChild<QComboBox*>("cboCryptType")->setCurrentIndex(0); }
    void CopyTo(const std::string& destination) {
        files().findChild<QComboBox*>("cboCryptType")->setCurrentIndex(1);
        files().DestinationEdit()->setText(QString::fromStdString(destination));
    }
    // Key type 0 Numerical or 1 Text, length 0 128, 1 96 or 2 64 bit.
    void EnterKey(const QStringList& parts, int type = 0, int length = 0) {
        params().KeyTypeCombo()->setCurrentIndex(type);
        params().KeyLengthCombo()->setCurrentIndex(length);
        params().ApplyKeyFormat();
        for (int part = 0; part < parts.size(); ++part) params().KeyPart(part + 1)->setText(parts[part]);
    }
    void EnterTheKey() { EnterKey({kKey.begin(), kKey.end()}); }
    // A list of `paths` to transform in place with the tests' key.
    void PrepareInPlace(const std::vector<std::string>& paths) {
        InPlace();
        for (const std::string& path : paths) files().AddPath(path);
        EnterTheKey();
    }

    void Click() { QTest::mouseClick(GoButton(), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Clicks the action button (or runs `start`) and waits for the run's end.
    bool RunToEnd(const std::function<void()>& start = {}) {
        QSignalSpy ended(&go(), &TframGo::runEnded);
        start ? start() : Click();
        return ended.wait(kRunLimit) || ended.count() > 0;
    }

    QStringList Log() { return OnGo<QPlainTextEdit>("txtLog")->toPlainText().split('\n'); }
    QString CurrentFileName() { return OnGo<QLabel>("lblCurFileName")->text(); }
    QString FocusName() {
        QWidget* focus = main().focusWidget();
        return focus != nullptr ? focus->objectName() : QString();
    }
};

QColor Background(const QWidget* control) { return control->palette().color(QPalette::Base); }

// Encrypts `folder` in place with the key the tests type, without the window.
void EncryptWithoutWindow(const std::string& parent, const std::string& name) {
    testing::FakeRunHost host;
    host.rows = {testing::FakeRunHost::FolderRow(parent, name)};
    RunState state;
    QCOMPARE(RunWorker(host, state, host.Inputs(Direction::Encrypt)).outcome, RunOutcome::Completed);
}

QString Line(const char* head, const std::string& path, const char* end = "OK") {
    return QString("%1 \"%2\"... %3").arg(head, QString::fromStdString(path), end);
}

}  // namespace

class GoPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void pageAsDesigned();
    void startChecksInTheirOrder_data();
    void startChecksInTheirOrder();
    void keyCheck_data();
    void keyCheck();
    void missingItemQuestion_data();
    void missingItemQuestion();
    void missingItemQuestionText_data();
    void missingItemQuestionText();
    void confirmation_data();
    void confirmation();
    void buttonsReactToReleases();
    void busyPageStartsNoSecondRun();
    void workerThatCannotStart();
    void unusableKeyStartsNoRun();
    void wholeRunOfFilesAndBack();
    void wholeRunOfAFolderTreeIntoCopies();
    void stopDuringATree_data();
    void stopDuringATree();
    void runAbandonedLeavesThePageStuck();
    void logKeepsItsLastHundredLines();
    void languageTextsReachThePageAndTheRun();
    void leavingDuringARunFinishesTheFileInHand();
    void textKeyRoundTripWithTheCommandLine();
    void runErrorBoxLeavesTheWindowUsable();
    void closingDuringARunWaitsWithTheWindowDisabled();
    void stopDuringTheLastFileLeavesNoWaitNotice();

private:
    test::WindowTestSettings settings_;
};

void GoPageTest::initTestCase() { QVERIFY(settings_.Isolate()); }

void GoPageTest::init() {
    QSettings("Mirrowdale", "Tarvoss").clear();
    SettingsStore::WriteSwitch(kShowConfDialogValue, false);
    SetLanguageState({});
}

void GoPageTest::pageAsDesigned() {
    ScriptedBoxes boxes;
    Program program(boxes);
    QCOMPARE(program.OnGo<QPlainTextEdit>("txtLog")->geometry(), QRect(4, 10, 513, 191));
    QCOMPARE(program.Log(), QStringList{"Log is initialized"});
    QCOMPARE(program.CurrentFileName(), QString("-"));
    // The buttons after the load: W × H = 100 × 24, the action button's right
    // edge on the log's right edge, Stop 5 pixels to its left and hidden.
    QCOMPARE(program.GoButton()->geometry(), QRect(417, 310, 100, 24));
    QCOMPARE(program.StopButton()->geometry(), QRect(312, 310, 100, 24));
    QCOMPARE(program.GoButton()->text(), QString("Encrypt"));
    QCOMPARE(program.GoButton()->faceColour(), kButtonFace);
    QVERIFY(!program.StopButton()->isVisibleTo(&program.go()));
    // The gauges and the name start 30 pixels right of the file progress label.
    const auto* label = program.OnGo<QLabel>("lblCurFileProgress");
    const int left = label->x() + label->width() + 30;
    for (const char* name : {"pbCurrent", "pbTotal"}) QCOMPARE(program.Gauge(name)->x(), left);
    QCOMPARE(program.OnGo<QLabel>("lblCurFileName")->x(), left);
    QCOMPARE(program.Gauge("pbCurrent")->MaxValue(), 100);

    // Choosing Decryption renames the button and keeps it in place.
    program.params().SelectAction(1);
    program.params().lstActionClick();
    QCOMPARE(program.GoButton()->text(), QString("Decrypt"));
    QCOMPARE(program.GoButton()->geometry(), QRect(417, 310, 100, 24));
}

// Each case passes the checks before `failing` and fails all later ones too,
// so the message shows which check comes first.
void GoPageTest::startChecksInTheirOrder_data() {
    QTest::addColumn<int>("failing");
    QTest::addColumn<bool>("destinationIsAFile");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("marked");
    const GoTexts texts;
    QTest::newRow("1 empty list") << 1 << false << texts.noFileSelected << 1 << "lstFiles" << false;
    QTest::newRow("2 no destination") << 2 << false << texts.destFolderIsEmpty << 1 << "txtDestDir" << true;
    QTest::newRow("2 destination is a file") << 2 << true << texts.destFolderIsEmpty << 1 << "txtDestDir" << true;
    QTest::newRow("3 no action") << 3 << false << texts.actionNotSelected << 2 << "lstAction" << true;
    QTest::newRow("5 empty key") << 5 << false << texts.keyIsTooShort << 2 << "txtKeyPart1" << true;
}

void GoPageTest::startChecksInTheirOrder() {
    QFETCH(int, failing);
    QFETCH(bool, destinationIsAFile);
    QFETCH(QString, message);
    QFETCH(int, page);
    QFETCH(QString, focus);
    QFETCH(bool, marked);
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.params().SelectAction(-1);
    program.CopyTo(destinationIsAFile ? dir / "a.txt" : "");
    if (failing > 1) program.files().AddPath(dir / "a.txt");
    if (failing > 2) program.InPlace();
    if (failing > 3) program.params().SelectAction(0);
    program.main().SelectPage(TfrmMain::kGoPage);

    program.Click();

    QCOMPARE(Kinds(boxes), QStringList{"information"});
    QCOMPARE(Q(boxes.Boxes()[0].text), message);
    QCOMPARE(Q(boxes.Boxes()[0].caption), QString("Information"));
    QCOMPARE(program.main().SelectedPage(), page);
    QCOMPARE(program.FocusName(), focus);
    QWidget* control = program.main().focusWidget();
    QCOMPARE(Background(control), marked ? kCream : QColor(Qt::white));
    QVERIFY(!program.go().RunUnfinished());
    QVERIFY(!program.go().RunActive());
    QVERIFY(!program.StopButton()->isVisibleTo(&program.go()));
    QCOMPARE(ReadFile(dir / "a.txt"), std::string("data"));
}

void GoPageTest::keyCheck_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<int>("markedPart");   // 0: the key is accepted
    QTest::addColumn<QString>("message");  // empty: the key is too short
    QTest::newRow("text 15 of 16") << 1 << 0 << QStringList{"abcdefghijklmno"} << 1 << QString();
    QTest::newRow("text 16 of 16") << 1 << 0 << QStringList{"abcdefghijklmnop"} << 0 << QString();
    QTest::newRow("text 12 of 12") << 1 << 1 << QStringList{"abcdefghijkl"} << 0 << QString();
    QTest::newRow("text 11 of 12") << 1 << 1 << QStringList{"abcdefghijk"} << 1 << QString();
    QTest::newRow("numerical 64 bit, four parts") << 0 << 2 << QStringList{"1", "2", "3", "4"} << 0 << QString();
    QTest::newRow("numerical 96 bit, four parts") << 0 << 1 << QStringList{"1", "2", "3", "4"} << 5 << QString();
    QTest::newRow("numerical 128 bit, part 2 empty") << 0 << 0 << QStringList{"1", "", "3", "4", "5"} << 2 << QString();
    QTest::newRow("text outside the code page")
        << 1 << 2 << QStringList{QString::fromUtf8("\u0416\u0416\u0416\u0416ABCD")} << 1
        << QString::fromUtf8(kTextKeyOutsideCodePage);
}

void GoPageTest::keyCheck() {
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(QStringList, parts);
    QFETCH(int, markedPart);
    QFETCH(QString, message);
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.InPlace();
    program.files().AddPath(dir / "a.txt");
    program.EnterKey(parts, type, length);
    program.main().SelectPage(TfrmMain::kGoPage);

    if (markedPart == 0) {
        QVERIFY(program.RunToEnd());
        QVERIFY(boxes.Boxes().empty());
        QCOMPARE(program.Log().last(), QString("Encrypting is finished"));
        return;
    }
    program.Click();
    QCOMPARE(Kinds(boxes), QStringList{"information"});
    QCOMPARE(Q(boxes.Boxes()[0].text), message.isEmpty() ? GoTexts().keyIsTooShort : message);
    QCOMPARE(program.main().SelectedPage(), 2);
    QLineEdit* part = program.params().KeyPart(markedPart);
    QCOMPARE(program.main().focusWidget(), part);
    QCOMPARE(Background(part), kCream);
    QVERIFY(!program.go().RunActive());
}

void GoPageTest::missingItemQuestion_data() {
    QTest::addColumn<QStringList>("present");  // of a.txt, b.txt, c.txt
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("rowsLeft");
    QTest::addColumn<bool>("runs");
    QTest::newRow("second missing, Yes") << QStringList{"a.txt", "c.txt"} << true << QStringList{"confirmation"} << 2
                                         << true;
    QTest::newRow("second missing, No") << QStringList{"a.txt", "c.txt"} << false << QStringList{"confirmation"} << 3
                                        << false;
    QTest::newRow("only row missing, Yes")
        << QStringList{} << true << QStringList{"confirmation", "information"} << 0 << false;
}

void GoPageTest::missingItemQuestion() {
    QFETCH(QStringList, present);
    QFETCH(bool, yes);
    QFETCH(QStringList, boxes);
    QFETCH(int, rowsLeft);
    QFETCH(bool, runs);
    TempDir dir;
    ScriptedBoxes scripted;
    Program program(scripted);
    program.InPlace();
    program.EnterTheKey();
    const QStringList names = present.isEmpty() ? QStringList{"b.txt"} : QStringList{"a.txt", "b.txt", "c.txt"};
    for (const QString& name : names) {
        WriteFile(dir / name.toStdString(), "data");
        program.files().AddPath(dir / name.toStdString());
    }
    std::filesystem::remove(dir / "b.txt");
    scripted.AnswerNext(yes);

    if (runs) {
        QVERIFY(program.RunToEnd());
    } else {
        program.Click();
    }

    QCOMPARE(Kinds(scripted), boxes);
    const Box question = scripted.Boxes()[0];
    QCOMPARE(Q(question.text), QString("The file \"b.txt\" does not exist. Do you want to remove it from the list ?"));
    QCOMPARE(Q(question.caption), QString("Tarvoss"));
    QVERIFY(question.owner == BoxOwner::GoPage);
    QCOMPARE(program.files().RowCount(), std::size_t(rowsLeft));
    if (boxes.size() > 1) QCOMPARE(Q(scripted.Boxes()[1].text), GoTexts().noFileSelected);
    if (runs) {
        QCOMPARE(program.Gauge("pbTotal")->MaxValue(), 2);
        QVERIFY(ReadFile(dir / "a.txt") != "data");
        QVERIFY(ReadFile(dir / "c.txt") != "data");
    }
}

void GoPageTest::missingItemQuestionText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("question");
    QTest::newRow("usual") << "The file \"%file%\" is gone"
                           << "The file \"x.txt\" is gone";
    QTest::newRow("twice") << "-%file% and %file%"
                           << "-x.txt and x.txt";
    QTest::newRow("at the very start, kept") << "%file% is gone, %file%"
                                             << "%file% is gone, x.txt";
}

void GoPageTest::missingItemQuestionText() {
    QFETCH(QString, text);
    QFETCH(QString, question);
    QCOMPARE(ItemMissingQuestion(text, "x.txt"), question);
}

void GoPageTest::confirmation_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes runs") << true;
    QTest::newRow("No leaves everything") << false;
}

void GoPageTest::confirmation() {
    QFETCH(bool, yes);
    SettingsStore::WriteSwitch(kShowConfDialogValue, true);
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.PrepareInPlace({dir / "a.txt"});
    boxes.AnswerNext(yes);

    if (yes) {
        QVERIFY(program.RunToEnd());
    } else {
        program.Click();
    }

    QCOMPARE(Kinds(boxes), QStringList{"confirmation"});
    QCOMPARE(Q(boxes.Boxes()[0].text), QString("Please, check the following information :\r\n\r\n"
                                               "Encryption algorithm: XTEA\r\n"
                                               "Action: Encryption\r\n"
                                               "Key type: Numerical\r\n"
                                               "Key length: 128 bit\r\n"
                                               "\r\n"
                                               "Is all this information correct ?"));
    QCOMPARE(Q(boxes.Boxes()[0].caption), QString("Tarvoss"));
    QVERIFY(boxes.Boxes()[0].owner == BoxOwner::GoPage);
    QCOMPARE(ReadFile(dir / "a.txt") != "data", yes);
    QCOMPARE(program.go().RunUnfinished(), false);
    QCOMPARE(program.Log().last(), yes ? QString("Encrypting is finished") : QString("Log is initialized"));
}

void GoPageTest::buttonsReactToReleases() {
    ScriptedBoxes boxes;
    Program program(boxes);
    TframGo& go = program.go();
    // The action button acts on every release of the left button, wherever it is.
    go.shpGoMouseDown(Qt::RightButton, {}, QPoint(5, 5));
    go.shpGoMouseUp(Qt::RightButton, {}, QPoint(5, 5));
    QVERIFY(boxes.Boxes().empty());
    go.shpGoMouseDown(Qt::LeftButton, {}, QPoint(5, 5));
    go.shpGoMouseUp(Qt::LeftButton, {}, QPoint(900, 900));
    QCOMPARE(Kinds(boxes), QStringList{"information"});

    // The Stop button asks only for a release on it, with 3 pixels to spare
    // left of and above it; No changes nothing.
    program.main().SelectPage(TfrmMain::kGoPage);
    program.StopButton()->show();
    const struct {
        QPoint at;
        bool asks;
    } releases[] = {{{-4, 0}, false}, {{0, -4}, false}, {{101, 5}, false}, {{-3, -3}, true}, {{100, 24}, true}};
    for (const auto& release : releases) {
        const std::size_t before = boxes.Boxes().size();
        go.shpStopMouseDown(Qt::LeftButton, {}, QPoint(5, 5));
        go.shpStopMouseUp(Qt::LeftButton, {}, release.at);
        QCOMPARE(boxes.Boxes().size(), before + (release.asks ? 1 : 0));
    }
    QCOMPARE(Q(boxes.Boxes().back().text), QString("Do you really want to stop encrypting ?"));
    QVERIFY(boxes.Boxes().back().owner == BoxOwner::None);
    QVERIFY(program.StopButton()->isVisible());
    QVERIFY(!go.StopRequested());
}

void GoPageTest::busyPageStartsNoSecondRun() {
    SettingsStore::WriteSwitch(kShowConfDialogValue, true);
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.PrepareInPlace({dir / "a.txt"});
    boxes.AnswerNext(true);
    boxes.AnswerNext(true);

    // The second click and the menu command come while the first run goes.
    QVERIFY(program.RunToEnd([&] {
        program.Click();
        program.Click();
        program.main().StartWithAction(1);
    }));

    QCOMPARE(Kinds(boxes), QStringList{"confirmation"});
    QCOMPARE(program.main().SelectedPage(), 3);
    // The run still encrypts, but its finish line follows the action chosen meanwhile.
    QCOMPARE(program.Log().last(), QString("Decrypting is finished"));
    QCOMPARE(program.Log().count(), 3);
    // Encrypted once: decrypting it once gives the data back.
    boxes.AnswerNext(true);
    QVERIFY(program.RunToEnd([&] { program.main().StartWithAction(1); }));
    QCOMPARE(ReadFile(dir / "a.txt"), std::string("data"));
}

void GoPageTest::workerThatCannotStart() {
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    PageFactory pages;
    pages.go = [](MessageBoxes& pageBoxes, QWidget* parent) { return new NoThreadGo(pageBoxes, parent); };
    Program program(boxes, pages);
    program.PrepareInPlace({dir / "a.txt"});

    program.Click();

    QCOMPARE(Kinds(boxes), QStringList{"error"});
    QCOMPARE(Q(boxes.Boxes()[0].text),
             QString("Cannot start new thread to process the items. Please, restart the application and try again"));
    QCOMPARE(Q(boxes.Boxes()[0].caption), QString("Error"));
    QVERIFY(program.StopButton()->isVisibleTo(&program.go()));
    QVERIFY(!program.GoButton()->isBusy());
    QVERIFY(!program.go().RunUnfinished());
    QVERIFY(!program.go().RunActive());
}

// A key the start checks let through but that gives no key words (a letter
// pasted into a 96-bit part) is refused before any run starts.
void GoPageTest::unusableKeyStartsNoRun() {
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.PrepareInPlace({dir / "a.txt"});
    program.EnterKey({"12", "x4", "5", "6", "7"}, 0, 1);
    program.main().SelectPage(TfrmMain::kGoPage);

    program.Click();

    QCOMPARE(Kinds(boxes), QStringList{"error"});
    QCOMPARE(Q(boxes.Boxes()[0].text), Q(RunTexts{}.keyRefused));
    QCOMPARE(Q(boxes.Boxes()[0].caption), QString("Error"));
    QVERIFY(!program.StopButton()->isVisibleTo(&program.go()));
    QVERIFY(!program.go().RunActive());
    QCOMPARE(ReadFile(dir / "a.txt"), std::string("data"));
}

void GoPageTest::wholeRunOfFilesAndBack() {
    TempDir dir;
    const std::string contents[] = {"first file", std::string(70000, 'x'), "third"};
    const std::string paths[] = {dir / "a.txt", dir / "b.bin", dir / "c.txt"};
    for (int i = 0; i < 3; ++i) WriteFile(paths[i], contents[i]);
    ScriptedBoxes boxes;
    Program program(boxes);
    program.PrepareInPlace({paths, paths + 3});
    program.main().SelectPage(TfrmMain::kGoPage);
    const QString status = program.main().StatusText();

    QVERIFY(program.RunToEnd());

    QVERIFY(boxes.Boxes().empty());
    QCOMPARE(program.Log(), QStringList({Line("- Encrypting file", paths[0]), Line("- Encrypting file", paths[1]),
                                         Line("- Encrypting file", paths[2]), "", "Encrypting is finished"}));
    for (int i = 0; i < 3; ++i) QVERIFY(ReadFile(paths[i]) != contents[i]);
    TCGauge* total = program.Gauge("pbTotal");
    QCOMPARE(total->MinValue(), 0);
    QCOMPARE(total->MaxValue(), 3);
    QCOMPARE(total->Progress(), 3);
    QCOMPARE(total->PercentDone(), 100);
    QTRY_COMPARE(program.Gauge("pbCurrent")->Progress(), 100);
    QCOMPARE(program.CurrentFileName(), QString("-"));
    QVERIFY(!program.GoButton()->isBusy());
    QCOMPARE(program.GoButton()->faceColour(), kButtonFace);
    QVERIFY(!program.StopButton()->isVisible());
    QVERIFY(!program.go().RunUnfinished());
    QCOMPARE(program.main().StatusText(), status);

    // The menu command decrypts them back through the same Start action.
    QVERIFY(program.RunToEnd([&] { program.main().StartWithAction(1); }));
    QCOMPARE(program.GoButton()->text(), QString("Decrypt"));
    QCOMPARE(program.Log().first(), Line("- Decrypting file", paths[0]));
    QCOMPARE(program.Log().last(), QString("Decrypting is finished"));
    for (int i = 0; i < 3; ++i) QCOMPARE(ReadFile(paths[i]), contents[i]);
}

void GoPageTest::wholeRunOfAFolderTreeIntoCopies() {
    TempDir dir;
    std::filesystem::create_directories(dir / "tree/sub/deeper");
    std::filesystem::create_directory(dir / "out");
    const std::vector<std::string> files = {"tree/sub/deeper/z.txt", "tree/sub/y.txt", "tree/x.txt"};
    for (const std::string& file : files) WriteFile(dir / file, "contents of " + file);
    ScriptedBoxes boxes;
    Program program(boxes);
    program.files().AddPath(dir / "tree");
    program.CopyTo(dir / "out");
    program.EnterTheKey();

    QVERIFY(program.RunToEnd());

    QVERIFY(boxes.Boxes().empty());
    QStringList expected;
    for (const std::string& file : files) expected << Line("- Encrypting file", dir / file);
    expected << ""
             << "Encrypting is finished";
    QCOMPARE(program.Log(), expected);
    for (const std::string& file : files) {
        QCOMPARE(ReadFile(dir / file), "contents of " + file);
        QVERIFY(std::filesystem::exists(dir / ("out/" + file)));
        QVERIFY(ReadFile(dir / ("out/" + file)) != "contents of " + file);
    }
    QCOMPARE(program.Gauge("pbTotal")->Progress(), 1);
    QCOMPARE(program.Gauge("pbTotal")->MaxValue(), 1);

    // The copies decrypted where they lie give the sources back.
    program.files().RemoveRow(0);
    program.files().AddPath(dir / "out/tree");
    program.InPlace();
    QVERIFY(program.RunToEnd([&] { program.main().StartWithAction(1); }));
    QCOMPARE(program.Log().last(), QString("Decrypting is finished"));
    for (const std::string& file : files) QCOMPARE(ReadFile(dir / ("out/" + file)), "contents of " + file);
}

// A decrypting run over a tree stops while the error box about its third
// file is up: the user presses Stop and answers the question.
void GoPageTest::stopDuringATree_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes stops before the next file") << true;
    QTest::newRow("No lets the run go on") << false;
}

void GoPageTest::stopDuringATree() {
    QFETCH(bool, yes);
    TempDir dir;
    std::filesystem::create_directory(dir / "tree");
    const std::vector<std::string> names = {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
    for (const std::string& name : names) WriteFile(dir / ("tree/" + name), "plain " + name);
    EncryptWithoutWindow(dir.folder(), "tree");
    WriteFile(dir / "tree/c.txt", "short");  // not in the encrypted layout
    ScriptedBoxes boxes;
    BoxesWithErrorHook hooked(boxes);
    Program program(hooked);
    program.PrepareInPlace({dir / "tree"});
    program.params().SelectAction(1);
    program.main().SelectPage(TfrmMain::kGoPage);
    hooked.onError = [&] {
        QVERIFY(program.StopButton()->isVisible());
        QTest::mouseClick(program.StopButton(), Qt::LeftButton, {}, QPoint(5, 5));
    };
    boxes.AnswerNext(yes);

    QVERIFY(program.RunToEnd());

    QCOMPARE(Kinds(boxes), QStringList({"error", "question"}));
    QCOMPARE(Q(boxes.Boxes()[1].text), QString("Do you really want to stop decrypting ?"));
    const std::string folder = dir / "tree/";
    QStringList expected = {Line("- Decrypting file", folder + "a.txt"), Line("- Decrypting file", folder + "b.txt"),
                            Line("- Decrypting file", folder + "c.txt", "Error:"),
                            "Read error. Maybe the file was never encrypted."};
    for (const std::string name : {"a.txt", "b.txt"}) QCOMPARE(ReadFile(folder + name), "plain " + name);
    QCOMPARE(ReadFile(folder + "c.txt"), std::string("short"));
    if (yes) {
        expected << "Decrypting was terminated by user";
        QCOMPARE(program.main().StatusText(), QString("Decrypting was terminated by user"));
        QVERIFY(program.go().RunUnfinished());
        QCOMPARE(program.Gauge("pbTotal")->Progress(), 0);
        for (const std::string name : {"d.txt", "e.txt"}) QVERIFY(ReadFile(folder + name) != "plain " + name);
    } else {
        expected << Line("- Decrypting file", folder + "d.txt") << Line("- Decrypting file", folder + "e.txt") << ""
                 << "Decrypting is finished";
        QVERIFY(!program.go().RunUnfinished());
        QCOMPARE(program.Gauge("pbTotal")->Progress(), 1);
    }
    QCOMPARE(program.Log(), expected);
    QCOMPARE(program.StopButton()->isVisible(), false);
    QCOMPARE(program.CurrentFileName(), QString("-"));
    QVERIFY(!program.GoButton()->isBusy());
    QVERIFY(!program.go().StopRequested());
}

// A copy folder that cannot be made ends the run; the page stays busy and
// starts nothing more.
void GoPageTest::runAbandonedLeavesThePageStuck() {
    TempDir dir;
    std::filesystem::create_directories(dir / "tree");
    std::filesystem::create_directories(dir / "out");
    WriteFile(dir / "tree/a.txt", "data");
    WriteFile(dir / "out/tree", "a file where the folder would go");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.files().AddPath(dir / "tree");
    program.CopyTo(dir / "out");
    program.EnterTheKey();

    QVERIFY(program.RunToEnd());

    QCOMPARE(Kinds(boxes), QStringList{"error"});
    QCOMPARE(Q(boxes.Boxes()[0].text), "Cannot create the folder \"" + Q(dir / "out/tree") +
                                           "\". Please, restart the application and try again.");
    QVERIFY(program.GoButton()->isBusy());
    QCOMPARE(program.GoButton()->faceColour(), kBusyFace);
    QVERIFY(program.StopButton()->isVisibleTo(&program.go()));
    QVERIFY(program.go().RunUnfinished());
    program.Click();
    program.main().StartWithAction(0);
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
    QCOMPARE(ReadFile(dir / "tree/a.txt"), std::string("data"));
}

void GoPageTest::logKeepsItsLastHundredLines() {
    TempDir dir;
    std::filesystem::create_directory(dir / "many");
    for (int i = 0; i < 120; ++i) WriteFile(dir / QString("many/f%1").arg(i, 3, 10, QChar('0')).toStdString(), "x");
    ScriptedBoxes boxes;
    Program program(boxes);
    program.PrepareInPlace({dir / "many"});

    QVERIFY(program.RunToEnd());

    // 120 file lines, the empty line and the finish line: the first 22 left.
    const QStringList log = program.Log();
    QCOMPARE(log.size(), 100);
    QCOMPARE(log.first(), Line("- Encrypting file", dir / "many/f022"));
    QCOMPARE(log.mid(97), QStringList({Line("- Encrypting file", dir / "many/f119"), "", "Encrypting is finished"}));
}

void GoPageTest::languageTextsReachThePageAndTheRun() {
    SettingsStore::WriteCurrentLanguage("German.lng");
    TempDir dir;
    WriteFile(dir / "a.txt", "data");
    ScriptedBoxes boxes;
    Program program(boxes);
    QCOMPARE(program.StopButton()->text(), QString("Anhalten"));
    QCOMPARE(program.GoButton()->text(), QString("Verschlüsseln"));
    QCOMPARE(program.OnGo<QLabel>("lblTotalProgress")->text(), QString("Gesamtfortschritt:"));
    QCOMPARE(program.Log(), QStringList{"Protokoll gestartet"});
    // The German file's buttons are 130 wide.
    QCOMPARE(program.GoButton()->geometry(), QRect(387, 310, 130, 24));
    QCOMPARE(program.StopButton()->geometry(), QRect(252, 310, 130, 24));
    const auto* label = program.OnGo<QLabel>("lblCurFileProgress");
    QCOMPARE(program.Gauge("pbTotal")->x(), label->x() + label->width() + 30);

    program.Click();
    QCOMPARE(Q(boxes.Boxes().at(0).text).left(34), QString("Sie haben keine Datei ausgewählt. "));

    program.PrepareInPlace({dir / "a.txt"});
    QVERIFY(program.RunToEnd());
    QCOMPARE(program.Log(),
             QStringList({Line("- Datei wird verschlüsselt", dir / "a.txt"), "", "Verschlüsselung abgeschlossen"}));
}

// Closing the windows while a worker waits for the window: the worker is
// released, finishes the file in hand and ends; every file is either as it
// was or wholly encrypted.
void GoPageTest::leavingDuringARunFinishesTheFileInHand() {
    TempDir dir;
    std::filesystem::create_directory(dir / "many");
    const std::string plain(4096, 'p');
    std::vector<std::string> paths;
    for (int i = 0; i < 500; ++i) {
        paths.push_back(dir / ("many/f" + std::to_string(i)));
        WriteFile(paths.back(), plain);
    }
    ScriptedBoxes boxes;
    {
        Program program(boxes);
        program.PrepareInPlace({dir / "many"});
        program.Click();
        QTRY_VERIFY(program.CurrentFileName() != "-");
    }

    std::vector<std::string> changed;
    for (const std::string& path : paths) {
        if (ReadFile(path) != plain) changed.push_back(path);
    }
    QVERIFY(!changed.empty());
    testing::FakeRunHost host;
    for (const std::string& path : changed)
        host.rows.push_back(testing::FakeRunHost::FileRow(dir / "many/", path.substr(path.rfind('/') + 1)));
    RunState state;
    QCOMPARE(RunWorker(host, state, host.Inputs(Direction::Decrypt)).failedItems, std::size_t{0});
    for (const std::string& path : changed) QCOMPARE(ReadFile(path), plain);
}

void GoPageTest::textKeyRoundTripWithTheCommandLine() {
    const QString key = QString::fromUtf8(
        "\u00E4\u00F6\u00FC\u00E4\u00F6\u00FC\u00DF\u00E9"
        "ABCDEFGH");
    TempDir dir;
    const std::string byWindow = dir / "window.txt", byCli = dir / "cli.txt", otherKey = dir / "other.txt";
    for (const std::string& path : {byWindow, byCli, otherKey}) WriteFile(path, "plain " + path);
    const QStringList cli = {"--in-place", "--quiet", "--key-type", "text", "--key", key};
    QVERIFY(test::RunCli(QStringList{"encrypt"} + cli + QStringList{Q(byCli)}));
    // A key that differs only in its last character is another key.
    QVERIFY(test::RunCli(QStringList{"encrypt", "--in-place", "--quiet", "--key-type", "text", "--key",
                                     key.chopped(1) + "X", Q(otherKey)}));
    ScriptedBoxes boxes;
    Program program(boxes);
    program.InPlace();
    program.files().AddPath(byWindow);
    program.EnterKey({key}, 1, 0);
    QVERIFY(program.RunToEnd());
    QVERIFY(boxes.Boxes().empty());
    QVERIFY(ReadFile(byWindow) != "plain " + byWindow);

    QVERIFY(test::RunCli(QStringList{"decrypt"} + cli + QStringList{Q(byWindow)}));
    QCOMPARE(ReadFile(byWindow), "plain " + byWindow);
    program.files().RemoveRow(0);
    program.files().AddPath(byCli);
    program.files().AddPath(otherKey);
    QVERIFY(program.RunToEnd([&] { program.main().StartWithAction(1); }));
    QCOMPARE(ReadFile(byCli), "plain " + byCli);
    QVERIFY(ReadFile(otherKey) != "plain " + otherKey);
}

// A run whose first file fails, held in the error box of that file: the
// second file (when there is one) is still untouched.
struct HeldRun {
    TempDir dir;
    std::string failing = dir / "a.txt";
    std::string next = dir / "b.txt";
    ScriptedBoxes script;
    ModelessErrorBoxes boxes{script};
    Program program{boxes};

    explicit HeldRun(bool withNext = true) {
        WriteFile(failing, "never encrypted");
        WriteFile(next, "plain b");
        program.PrepareInPlace(withNext ? std::vector<std::string>{failing, next} : std::vector<std::string>{failing});
        program.params().SelectAction(1);
        program.main().SelectPage(TfrmMain::kGoPage);
    }
};

void GoPageTest::runErrorBoxLeavesTheWindowUsable() {
    HeldRun run;
    TfrmMain& main = run.program.main();
    QSignalSpy ended(&run.program.go(), &TframGo::runEnded);
    run.program.Click();
    QTRY_VERIFY(VisibleBox() != nullptr);
    QMessageBox* box = VisibleBox();
    QCOMPARE(box->windowTitle(), QString("Error"));
    QCOMPARE(box->icon(), QMessageBox::Critical);
    QVERIFY(box->text().startsWith("An error has occurred while decrypting file"));
    QVERIFY(box->text().contains(Q(run.failing)));
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The toolbar still changes pages, and Stop still asks and stops.
    auto* filesButton = main.findChild<QWidget*>("shpFiles");
    QTest::mousePress(filesButton, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(filesButton, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(main.SelectedPage(), int(TfrmMain::kFilesPage));
    main.SelectPage(TfrmMain::kGoPage);
    run.script.AnswerNext(true);
    QTest::mouseClick(run.program.StopButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(Kinds(run.script), QStringList{"question"});
    QVERIFY(run.program.go().StopRequested());
    QVERIFY(!run.program.StopButton()->isVisible());
    QCOMPARE(main.StatusText(), QString("Please wait..."));

    // The worker waits for the box; OK lets it end the run.
    QTest::qWait(100);
    QVERIFY(run.program.go().RunActive());
    box->button(QMessageBox::Ok)->click();
    QVERIFY(ended.wait(kRunLimit) || ended.count() > 0);
    QCOMPARE(run.program.Log().last(), QString("Decrypting was terminated by user"));
    QCOMPARE(ReadFile(run.next), std::string("plain b"));
}

void GoPageTest::closingDuringARunWaitsWithTheWindowDisabled() {
    HeldRun run;
    TfrmMain& main = run.program.main();
    run.program.Click();
    QTRY_VERIFY(VisibleBox() != nullptr);

    run.script.AnswerNext(true);
    QVERIFY(!main.close());
    // Closing answered the box; the window stays, disabled, until the worker
    // has finished the file in hand, and then goes.
    QCOMPARE(Kinds(run.script), QStringList{"question"});
    QCOMPARE(Q(run.script.Boxes()[0].text), main.CloseQueryText());
    QVERIFY(VisibleBox() == nullptr);
    QVERIFY(main.isVisible());
    QVERIFY(!main.isEnabled());
    QCOMPARE(main.StatusText(), QString("Please wait..."));
    QVERIFY(!main.close());
    QTRY_VERIFY_WITH_TIMEOUT(!main.isVisible(), kRunLimit);
    QVERIFY(!run.program.go().RunActive());
    QCOMPARE(Kinds(run.script), QStringList{"question"});
    QCOMPARE(ReadFile(run.next), std::string("plain b"));
}

void GoPageTest::stopDuringTheLastFileLeavesNoWaitNotice() {
    HeldRun run(false);
    TfrmMain& main = run.program.main();
    QSignalSpy ended(&run.program.go(), &TframGo::runEnded);
    const QString hint = main.StatusText();
    run.program.Click();
    QTRY_VERIFY(VisibleBox() != nullptr);
    run.script.AnswerNext(true);
    QTest::mouseClick(run.program.StopButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(main.StatusText(), QString("Please wait..."));

    // The stop comes too late for a file that is the last one: the run ends
    // as a finished run, and the status line shows what it showed before.
    VisibleBox()->button(QMessageBox::Ok)->click();
    QVERIFY(ended.wait(kRunLimit) || ended.count() > 0);
    QCOMPARE(run.program.Log().last(), QString("Decrypting is finished"));
    QCOMPARE(main.StatusText(), hint);
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::GoPageTest)
#include "GoPageTest.moc"
