// The key generator inside the program's windows: the form of its fields,
// the keys it makes and how they spread, its texts in another language, and
// "Set key" carrying a key to the Parameters page, where the Start action
// accepts it and a run encrypts with it what tarvoss-cli decrypts again.

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/KeyGenForm.h"
#include "gui/support/CliRunner.h"
#include "gui/support/StartedProgram.h"
#include "gui/support/WindowTestSettings.h"
#include "lang/LanguageState.h"
#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "pages/KeyFormat.h"
#include "platform/FileSystem.h"
#include "settings/SettingsStore.h"
#include "shell/StartUp.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TempDir.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// A run of one small file is over long before this; it only bounds a failing test.
constexpr int kRunLimit = 60000;  // ms

// The program's windows after their first load, with the key generator open.
struct Program : test::StartedProgram {
    using StartedProgram::StartedProgram;
    TfrmKeyGen& keyGen() { return *main().frmKeyGen(); }
    FlatButton* Button(const char* name) { return keyGen().findChild<FlatButton*>(name); }
    void Click(const char* name) { QTest::mouseClick(Button(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    void Open() {
        keyGen().open();
        QVERIFY(QTest::qWaitForWindowExposed(&keyGen()));
    }
};

// Picks an entry of a drop-down list with the arrow keys, as the user does.
void Choose(QComboBox* combo, int index) {
    while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
}

// A digit group of at most n digits without leading zeros, or a text of
// exactly n characters with the codes 48 ("0") to 121 ("y").
QRegularExpression FormOf(const KeyFormat& format) {
    const int n = format.maxLength;
    return QRegularExpression(format.text ? QString("^[0-y]{%1}$").arg(n)
                                          : QString("^(0|[1-9][0-9]{0,%1})$").arg(n - 1));
}

// Pearson's chi-square of `counts` against an even spread over all of them.
double ChiSquare(const std::vector<int>& counts) {
    double total = 0;
    for (int count : counts) total += count;
    const double expected = total / static_cast<double>(counts.size());
    double sum = 0;
    for (int count : counts) sum += (count - expected) * (count - expected) / expected;
    return sum;
}

// The key type and length as the command line names them.
QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
QString CliKeyType(int type) { return FromView(KeyTypeName(KeyType(type))); }
QString CliKeyLength(int length) { return FromView(KeyRuleFor(KeyType::Numerical, KeyLength(length)).bits); }

}  // namespace

class KeyGenTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void dialogAsDesigned();
    void generatedKeysHaveTheirForm_data();
    void generatedKeysHaveTheirForm();
    void digitsAndCharactersSpreadOverTheirRange();
    void setKeyCarriesTheKeyToTheParamsPage_data();
    void setKeyCarriesTheKeyToTheParamsPage();
    void closeCopiesNothingAndKeepsTheDialog();
    void languageTextsComeFromTheParamsPage();

private:
    test::WindowTestSettings settings_;
};

void KeyGenTest::initTestCase() { QVERIFY(settings_.Isolate()); }

void KeyGenTest::init() {
    QSettings("Mirrowdale", "Tarvoss").clear();
    SettingsStore::WriteSwitch(kShowConfDialogValue, false);
    SetLanguageState({});
}

void KeyGenTest::dialogAsDesigned() {
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    program.Open();
    TfrmKeyGen& dialog = program.keyGen();
    QCOMPARE(dialog.windowTitle(), QString("Key Generator"));
    QVERIFY(dialog.isModal());
    QCOMPARE(dialog.KeyTypeCombo()->currentText(), QString("Numerical"));
    QCOMPARE(dialog.KeyLengthCombo()->currentText(), QString("128 bit"));
    for (int part = 1; part <= 5; ++part) {
        QVERIFY(dialog.KeyPart(part)->isVisible());
        QVERIFY(dialog.KeyPart(part)->text().isEmpty());
    }
    // Generate key at 10, Set key 5 pixels after it, Close 10 pixels from
    // the right edge; all W × 24 with W = 100, labels centred.
    QCOMPARE(program.Button("shpGen")->geometry(), QRect(10, 124, 100, 24));
    QCOMPARE(program.Button("shpSetKey")->geometry(), QRect(115, 124, 100, 24));
    QCOMPARE(program.Button("shpClose")->geometry(), QRect(dialog.width() - 110, 124, 100, 24));
    for (const char* name : {"shpGen", "shpSetKey", "shpClose"}) {
        const QLabel* label = program.Button(name)->label();
        QCOMPARE(label->x() + label->width() / 2, 50);
        QCOMPARE(label->y() + label->height() / 2, 12);
    }
    QCOMPARE(program.Button("shpSetKey")->text(), QString("Set key"));
}

void KeyGenTest::generatedKeysHaveTheirForm_data() {
    QTest::addColumn<int>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<int>("firstWidth");
    QTest::newRow("numerical 128") << 0 << 0 << 53;
    QTest::newRow("numerical 96") << 0 << 1 << 53;
    QTest::newRow("numerical 64") << 0 << 2 << 53;
    QTest::newRow("text 128") << 1 << 0 << 120;
    QTest::newRow("text 96") << 1 << 1 << 120;
    QTest::newRow("text 64") << 1 << 2 << 120;
}

void KeyGenTest::generatedKeysHaveTheirForm() {
    QFETCH(int, keyType);
    QFETCH(int, keyLength);
    QFETCH(int, firstWidth);
    const KeyRule& rule = KeyRuleFor(KeyType(keyType), KeyLength(keyLength));
    const int visibleParts = rule.parts;
    const int maxLength = rule.partCharacters;
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    program.Open();
    TfrmKeyGen& dialog = program.keyGen();
    // Start from a generated key of another form: the change empties it.
    Choose(dialog.KeyLengthCombo(), (keyLength + 1) % 3);
    program.Click("shpGen");
    Choose(dialog.KeyTypeCombo(), keyType);
    Choose(dialog.KeyLengthCombo(), keyLength);
    QVERIFY(dialog.KeyPart(1)->text().isEmpty());
    for (int part = 1; part <= 5; ++part) {
        QCOMPARE(dialog.KeyPart(part)->isVisible(), part <= visibleParts);
        if (part <= visibleParts) QCOMPARE(dialog.KeyPart(part)->maxLength(), maxLength);
        if (part < 5) {
            auto* separator = dialog.findChild<QLabel*>(QString("lblKeySep%1").arg(part));
            QCOMPARE(separator->isVisible(), part < visibleParts);
        }
    }
    QCOMPARE(dialog.KeyPart(1)->width(), firstWidth);

    const QRegularExpression form = FormOf(KeyFormatFor(keyType, keyLength));
    QString previous;
    for (int round = 0; round < 200; ++round) {
        program.Click("shpGen");
        QString key;
        for (int part = 1; part <= visibleParts; ++part) {
            const QString text = dialog.KeyPart(part)->text();
            QVERIFY2(form.match(text).hasMatch(), qPrintable(text));
            key += text + "-";
        }
        QVERIFY(key != previous);
        previous = key;
        if (keyType == kNumericalKey && visibleParts < 5) QVERIFY(dialog.KeyPart(5)->text().isEmpty());
    }
    QVERIFY(boxes.Boxes().empty());
}

// Every decimal place of a group (padded with zeros to its full length) and
// every character of a text key is even over its whole range. The bounds
// lie so far out that an even source exceeds them less than once in 10^8
// runs (9 degrees of freedom: 60; 73 degrees: 170), while a skewed one, such
// as a short generator scaled up, exceeds them by far.
void KeyGenTest::digitsAndCharactersSpreadOverTheirRange() {
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    TfrmKeyGen& dialog = program.keyGen();
    constexpr int kRounds = 2000;
    for (int length : {kKeyLength128, kKeyLength96, kKeyLength64}) {
        dialog.KeyLengthCombo()->setCurrentIndex(length);
        dialog.ApplyKeyFormat();
        const KeyFormat format = KeyFormatFor(kNumericalKey, length);
        std::vector<std::vector<int>> places(format.maxLength, std::vector<int>(10));
        for (int round = 0; round < kRounds; ++round) {
            dialog.shpGenMouseUp();
            for (int part = 1; part <= format.visibleParts; ++part) {
                const QString group = dialog.KeyPart(part)->text().rightJustified(format.maxLength, '0');
                for (int place = 0; place < format.maxLength; ++place) ++places[place][group[place].digitValue()];
            }
        }
        for (const std::vector<int>& counts : places) {
            const double chi = ChiSquare(counts);
            QVERIFY2(chi < 60, qPrintable(QString("length %1: %2").arg(length).arg(chi)));
        }
    }

    dialog.KeyTypeCombo()->setCurrentIndex(kTextKey);
    dialog.KeyLengthCombo()->setCurrentIndex(kKeyLength128);
    dialog.ApplyKeyFormat();
    std::vector<int> characters('y' - '0' + 1);
    for (int round = 0; round < kRounds / 2; ++round) {
        dialog.shpGenMouseUp();
        for (const QChar c : dialog.KeyPart(1)->text()) {
            QVERIFY(c >= '0' && c <= 'y');
            ++characters[c.unicode() - '0'];
        }
    }
    const double chi = ChiSquare(characters);
    QVERIFY2(chi < 170, qPrintable(QString::number(chi)));
    QVERIFY(boxes.Boxes().empty());
}

void KeyGenTest::setKeyCarriesTheKeyToTheParamsPage_data() {
    QTest::addColumn<int>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<bool>("generate");
    QTest::addColumn<QStringList>("typed");  // into the dialog's parts
    QTest::newRow("numerical 128") << 0 << 0 << true << QStringList{};
    QTest::newRow("numerical 96") << 0 << 1 << true << QStringList{};
    QTest::newRow("numerical 64") << 0 << 2 << true << QStringList{};
    QTest::newRow("text 128") << 1 << 0 << true << QStringList{};
    QTest::newRow("text 96") << 1 << 1 << true << QStringList{};
    QTest::newRow("text 64") << 1 << 2 << true << QStringList{};
    // Full parts would move the page's focus if it were not held.
    QTest::newRow("typed full groups") << 0 << 0 << false
                                       << QStringList{"12345678", "23456789", "34567890", "45678901", "56789012"};
    QTest::newRow("empty fields") << 0 << 2 << false << QStringList{};
}

void KeyGenTest::setKeyCarriesTheKeyToTheParamsPage() {
    QFETCH(int, keyType);
    QFETCH(int, keyLength);
    QFETCH(bool, generate);
    QFETCH(QStringList, typed);
    TempDir dir;
    const std::string path = dir / "a.txt";
    const std::string contents = "what the generated key protects\n";
    WriteFile(path, contents);
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    TframParams& params = program.params();
    // The page holds another key, with the focus in its first part.
    params.KeyLengthCombo()->setCurrentIndex(kKeyLength128);
    params.ApplyKeyFormat();
    for (int part = 1; part <= 5; ++part) params.KeyPart(part)->setText("7654321");
    program.main().SelectPage(TfrmMain::kParamsPage);
    params.KeyPart(1)->setFocus();

    program.Open();
    TfrmKeyGen& dialog = program.keyGen();
    Choose(dialog.KeyTypeCombo(), keyType);
    Choose(dialog.KeyLengthCombo(), keyLength);
    if (generate) program.Click("shpGen");
    for (int part = 1; part <= typed.size(); ++part) QTest::keyClicks(dialog.KeyPart(part), typed[part - 1]);
    QStringList key;
    const KeyFormat format = KeyFormatFor(keyType, keyLength);
    for (int part = 1; part <= format.visibleParts; ++part) key << dialog.KeyPart(part)->text();
    program.main().SelectPage(TfrmMain::kFilesPage);

    program.Click("shpSetKey");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(program.main().SelectedPage(), int(TfrmMain::kParamsPage));
    QCOMPARE(program.main().focusWidget(), params.KeyPart(1));
    QCOMPARE(params.KeyTypeCombo()->currentIndex(), keyType);
    QCOMPARE(params.KeyLengthCombo()->currentIndex(), keyLength);
    for (int part = 1; part <= 5; ++part) {
        const bool used = part <= format.visibleParts;
        QCOMPARE(params.KeyPart(part)->isVisible(), used);
        if (used) QCOMPARE(params.KeyPart(part)->text(), key[part - 1]);
        if (!format.text && !used) QVERIFY(params.KeyPart(part)->text().isEmpty());
    }
    if (!generate && typed.isEmpty()) return;

    // The Start action accepts the key, and the run's result opens with it
    // on the command line.
    program.main().framFiles()->findChild<QComboBox*>("cboCryptType")->setCurrentIndex(0);
    program.main().framFiles()->AddPath(path);
    program.main().SelectPage(TfrmMain::kGoPage);
    QSignalSpy ended(program.main().framGo(), &TframGo::runEnded);
    QTest::mouseClick(program.main().framGo()->findChild<FlatButton*>("shpGo"), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(ended.wait(kRunLimit) || ended.count() > 0);
    QVERIFY(boxes.Boxes().empty());
    QVERIFY(ReadFile(path) != contents);
    const QString cliKey = key.join(format.text ? "" : "-");
    QVERIFY(test::RunCli({"decrypt", "--in-place", "--quiet", "--key-type", CliKeyType(keyType), "--key-length",
                          CliKeyLength(keyLength), "--key", cliKey, QString::fromStdString(path)}));
    QCOMPARE(ReadFile(path), contents);
}

void KeyGenTest::closeCopiesNothingAndKeepsTheDialog() {
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    TfrmKeyGen& dialog = program.keyGen();
    program.Open();
    Choose(dialog.KeyTypeCombo(), kTextKey);
    program.Click("shpGen");
    const QString key = dialog.KeyPart(1)->text();

    program.Click("shpClose");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(program.main().SelectedPage(), int(TfrmMain::kFilesPage));
    QCOMPARE(program.params().KeyTypeCombo()->currentIndex(), kNumericalKey);
    QVERIFY(program.params().KeyPart(1)->text().isEmpty());

    // Shown again, it still holds its choices and its key.
    program.Open();
    QCOMPARE(dialog.KeyTypeCombo()->currentIndex(), kTextKey);
    QCOMPARE(dialog.KeyPart(1)->text(), key);
}

void KeyGenTest::languageTextsComeFromTheParamsPage() {
    testing::ScriptedMessageBoxes boxes;
    Program program(boxes);
    TfrmKeyGen& dialog = program.keyGen();
    program.Open();
    Choose(dialog.KeyTypeCombo(), kTextKey);
    Choose(dialog.KeyLengthCombo(), kKeyLength64);
    program.Click("shpGen");
    dialog.hide();

    SettingsStore::WriteCurrentLanguage("German.lng");
    program.main().ApplyLanguageAndSettings();
    program.Open();
    QCOMPARE(dialog.findChild<QLabel*>("lblKeyType")->text(), QString::fromUtf8("Schlüsseltyp:"));
    QCOMPARE(dialog.findChild<QLabel*>("lblKey")->text(), program.params().findChild<QLabel*>("lblKey")->text());
    QCOMPARE(dialog.KeyTypeCombo()->itemText(0), QString("Numerisch"));
    QCOMPARE(dialog.KeyLengthCombo()->itemText(2), QString("64 Bit"));
    QCOMPARE(program.Button("shpGen")->text(), QString::fromUtf8("Schlüssel erzeugen"));
    QCOMPARE(program.Button("shpClose")->text(), QString::fromUtf8("Schließen"));
    QCOMPARE(dialog.windowTitle(), QString("Key Generator"));
    // The lists are back at their first entries and the fields follow them.
    QCOMPARE(dialog.KeyTypeCombo()->currentIndex(), kNumericalKey);
    QCOMPARE(dialog.KeyLengthCombo()->currentIndex(), kKeyLength128);
    for (int part = 1; part <= 5; ++part) {
        QVERIFY(dialog.KeyPart(part)->isVisible());
        QVERIFY(dialog.KeyPart(part)->text().isEmpty());
    }
    // The German buttons are 130 wide and do not cover one another.
    QCOMPARE(program.Button("shpSetKey")->geometry(), QRect(145, 124, 130, 24));
    QCOMPARE(program.Button("shpClose")->geometry(), QRect(dialog.width() - 140, 124, 130, 24));
    QVERIFY(program.Button("shpClose")->x() >= 145 + 130);
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::KeyGenTest)
#include "KeyGenTest.moc"
