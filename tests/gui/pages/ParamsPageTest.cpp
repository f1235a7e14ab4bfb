#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "cipher/KeyMaterial.h"
#include "cipher/KeyRules.h"
#include "gui/support/WindowTestSettings.h"
#include "lang/LanguageState.h"
#include "pages/FrameParams.h"
#include "settings/SettingsStore.h"
#include "settings/TextCatalogue.h"
#include "support/ScriptedMessageBoxes.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

constexpr char kInvalidSymbol[] =
    "You have entered a wrong symbol. Please select other key type to resolve the problem.";

// Picks an entry of a drop-down list with the arrow keys, as the user does.
void Choose(QComboBox* combo, int index) {
    while (combo->currentIndex() < index) QTest::keyClick(combo, Qt::Key_Down);
    while (combo->currentIndex() > index) QTest::keyClick(combo, Qt::Key_Up);
}

void ClickButton(TframParams& page, const char* name) {
    auto* button = page.findChild<FlatButton*>(name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
}

// Types each character into whatever field has the focus at that moment.
void TypeIntoFocus(QWidget& window, const QString& text) {
    for (const QChar c : text) QTest::keyClick(window.focusWidget(), c.toLatin1());
}

// Types the parts of a key given as "parts joined by -" (a text key: the
// whole text), pressing Tab after a part that did not move on by itself.
void TypeKey(TframParams& page, int keyType, const QString& key) {
    page.KeyPart(1)->setFocus();
    if (keyType == 1) {
        TypeIntoFocus(page, key);
        return;
    }
    for (const QString& part : key.split('-')) {
        QWidget* field = page.focusWidget();
        TypeIntoFocus(page, part);
        if (page.focusWidget() == field) QTest::keyClick(field, Qt::Key_Tab);
    }
}

KeyEntry EntryFromCommandLine(int keyType, int keyLength, const QString& key) {
    KeyEntry entry;
    entry.keyType = keyType;
    entry.keyLength = keyLength;
    const QStringList parts = keyType == 1 ? QStringList{key} : key.split('-');
    for (int i = 0; i < parts.size(); ++i) entry.parts[i] = parts[i].toStdString();
    return entry;
}

int FocusedPart(TframParams& page) {
    for (int part = 1; part <= 5; ++part) {
        if (page.focusWidget() == page.KeyPart(part)) return part;
    }
    return 0;
}

}  // namespace

class ParamsPageTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void formatFollowsTypeAndLength_data();
    void formatFollowsTypeAndLength();
    void numericalKeyTakesDigitsOnly_data();
    void numericalKeyTakesDigitsOnly();
    void textKeyTakesAnyCharacterAndNeverMoves();
    void fullPartMovesToTheNext_data();
    void fullPartMovesToTheNext();
    void resetEmptiesHiddenPartsToo();
    void restoreDefaultsKeepsTheAction();
    void hideKeyShowsStarsButKeepsTheKey();
    void typedKeyGivesTheCommandLineKeyWords_data();
    void typedKeyGivesTheCommandLineKeyWords();
    void languageFileReplacesTheTexts();

private:
    test::WindowTestSettings settings_;
    std::unique_ptr<testing::ScriptedMessageBoxes> boxes_;
    std::unique_ptr<TframParams> page_;
};

void ParamsPageTest::initTestCase() {
    // The hidden-key switch is read from the settings: keep them here.
    QVERIFY(settings_.Isolate());
}

void ParamsPageTest::init() {
    boxes_ = std::make_unique<testing::ScriptedMessageBoxes>();
    page_ = std::make_unique<TframParams>(*boxes_);
    page_->show();
    QVERIFY(QTest::qWaitForWindowActive(page_.get()));
}

void ParamsPageTest::cleanup() {
    page_.reset();
    boxes_.reset();
}

void ParamsPageTest::formatFollowsTypeAndLength_data() {
    QTest::addColumn<int>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<int>("firstWidth");
    QTest::addColumn<int>("resetWidth");
    QTest::newRow("numerical 128") << 0 << 0 << 53 << 49;
    QTest::newRow("numerical 96") << 0 << 1 << 53 << 49;
    QTest::newRow("numerical 64") << 0 << 2 << 53 << 45;
    QTest::newRow("text 128") << 1 << 0 << 120 << 45;
    QTest::newRow("text 96") << 1 << 1 << 120 << 45;
    QTest::newRow("text 64") << 1 << 2 << 120 << 45;
}

void ParamsPageTest::formatFollowsTypeAndLength() {
    QFETCH(int, keyType);
    QFETCH(int, keyLength);
    QFETCH(int, firstWidth);
    QFETCH(int, resetWidth);
    const KeyRule& rule = KeyRuleFor(KeyType(keyType), KeyLength(keyLength));
    const int visibleParts = rule.parts;
    const int maxLength = rule.partCharacters;
    TframParams& page = *page_;
    Choose(page.KeyLengthCombo(), (keyLength + 1) % 3);
    for (int part = 1; part <= 5; ++part) page.KeyPart(part)->setText("1");

    // Any change of type or length empties the key; a text key empties only
    // its one field.
    Choose(page.KeyTypeCombo(), keyType);
    Choose(page.KeyLengthCombo(), keyLength);
    QVERIFY(page.KeyPart(1)->text().isEmpty());
    for (int part = 1; part <= 5; ++part) {
        const bool visible = part <= visibleParts;
        QCOMPARE(page.KeyPart(part)->isVisible(), visible);
        if (visible) QCOMPARE(page.KeyPart(part)->maxLength(), maxLength);
        if (keyType == 0) QVERIFY(page.KeyPart(part)->text().isEmpty());
        if (part < 5) {
            auto* separator = page.findChild<QLabel*>(QString("lblKeySep%1").arg(part));
            QCOMPARE(separator->isVisible(), part < visibleParts);
        }
    }
    QCOMPARE(page.KeyPart(1)->width(), firstWidth);

    const QLineEdit* last = page.KeyPart(visibleParts);
    const auto* reset = page.findChild<FlatButton*>("shpClearKey");
    QCOMPARE(reset->x(), last->x() + last->width() + 3);
    QCOMPARE(reset->size(), QSize(resetWidth, 19));
    const QLabel* label = reset->label();
    QCOMPARE(label->x() + label->width() / 2, resetWidth / 2);
    QCOMPARE(label->y() + label->height() / 2, 9);
}

void ParamsPageTest::numericalKeyTakesDigitsOnly_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("refused");
    const int none = Qt::NoModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << "7" << none << "127" << false;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("keypad digit") << int(Qt::Key_0) << "0" << keypad << "120" << false;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << none << "1" << false;
    QTest::newRow("arrow") << int(Qt::Key_Left) << "" << none << "12" << false;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << none << "12" << true;
    QTest::newRow("space") << int(Qt::Key_Space) << " " << none << "12" << true;
    const QString eAcute = QString::fromUtf8("é");
    QTest::newRow("above 127") << int(Qt::Key_Eacute) << eAcute << none << "12" << true;
    QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << none << "12" << true;
    QTest::newRow("escape") << int(Qt::Key_Escape) << "\x1b" << none << "12" << true;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << "\x03" << int(Qt::ControlModifier) << "12" << true;
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << "\x16" << int(Qt::ControlModifier) << "12" << true;
}

void ParamsPageTest::numericalKeyTakesDigitsOnly() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(QString, result);
    QFETCH(bool, refused);
    QLineEdit* part = page_->KeyPart(3);
    part->setFocus();
    QTest::keyClicks(part, "12");
    QVERIFY(boxes_->Boxes().empty());

    QTest::sendKeyEvent(QTest::Click, part, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(part->text(), result);
    QCOMPARE(boxes_->Boxes().size(), std::size_t(refused ? 1 : 0));
    if (refused) {
        QCOMPARE(boxes_->Boxes()[0].kind, std::string("error"));
        QCOMPARE(boxes_->Boxes()[0].text, std::string(kInvalidSymbol));
        QCOMPARE(boxes_->Boxes()[0].caption, std::string("Error"));
    }
}

void ParamsPageTest::textKeyTakesAnyCharacterAndNeverMoves() {
    TframParams& page = *page_;
    Choose(page.KeyTypeCombo(), 1);
    page.KeyPart(1)->setFocus();
    TypeIntoFocus(page, "Key 1234, &tail!+more");
    QCOMPARE(page.KeyPart(1)->text(), QString("Key 1234, &tail!"));
    QCOMPARE(FocusedPart(page), 1);
    QVERIFY(boxes_->Boxes().empty());
}

void ParamsPageTest::fullPartMovesToTheNext_data() {
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<int>("part");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<bool>("keyGeneratorShown");
    QTest::addColumn<int>("focusAfter");
    QTest::newRow("128 bit, 8 digits") << 0 << 1 << "12345678" << false << 2;
    QTest::newRow("128 bit, 7 digits") << 0 << 1 << "1234567" << false << 1;
    QTest::newRow("96 bit, 6 digits") << 1 << 2 << "123456" << false << 3;
    QTest::newRow("64 bit, 5 digits") << 2 << 3 << "12345" << false << 4;
    QTest::newRow("64 bit, part 4") << 2 << 4 << "12345" << false << 4;
    QTest::newRow("128 bit, part 5") << 0 << 5 << "123456789" << false << 5;
    QTest::newRow("key generator shown") << 0 << 1 << "12345678" << true << 1;
}

void ParamsPageTest::fullPartMovesToTheNext() {
    QFETCH(int, keyLength);
    QFETCH(int, part);
    QFETCH(QString, digits);
    QFETCH(bool, keyGeneratorShown);
    QFETCH(int, focusAfter);
    TframParams& page = *page_;
    Choose(page.KeyLengthCombo(), keyLength);
    page.SetKeyGeneratorShown(keyGeneratorShown);
    page.KeyPart(part)->setFocus();
    TypeIntoFocus(page, digits);
    QCOMPARE(FocusedPart(page), focusAfter);
    // A digit more than the part takes goes to the next part, if any.
    QCOMPARE(page.KeyPart(part)->text(), digits.left(page.KeyPart(part)->maxLength()));
}

void ParamsPageTest::resetEmptiesHiddenPartsToo() {
    TframParams& page = *page_;
    page.KeyPart(1)->setFocus();
    TypeIntoFocus(page, "1111111122222222333333334444444455555555");
    Choose(page.KeyTypeCombo(), 1);
    page.KeyPart(1)->setFocus();
    TypeIntoFocus(page, "secret");
    QCOMPARE(page.KeyPart(4)->text(), QString("44444444"));

    ClickButton(page, "shpClearKey");
    for (int part = 1; part <= 5; ++part) QVERIFY(page.KeyPart(part)->text().isEmpty());
    QCOMPARE(page.KeyTypeCombo()->currentIndex(), 1);
}

void ParamsPageTest::restoreDefaultsKeepsTheAction() {
    TframParams& page = *page_;
    auto* actions = static_cast<QListWidget*>(page.ActionList());
    QTest::mouseClick(actions->viewport(), Qt::LeftButton, {}, actions->visualItemRect(actions->item(1)).center());
    QCOMPARE(page.SelectedAction(), 1);
    Choose(page.KeyTypeCombo(), 1);
    Choose(page.KeyLengthCombo(), 2);
    page.KeyPart(1)->setFocus();
    TypeIntoFocus(page, "12345678");

    ClickButton(page, "shpRestoreDef");
    QCOMPARE(page.findChild<QComboBox*>("cboAlg")->currentIndex(), 0);
    QCOMPARE(page.KeyTypeCombo()->currentIndex(), 0);
    QCOMPARE(page.KeyLengthCombo()->currentIndex(), 0);
    QVERIFY(page.KeyPart(1)->text().isEmpty());
    QVERIFY(page.KeyPart(5)->isVisible());
    QCOMPARE(page.SelectedAction(), 1);
}

void ParamsPageTest::hideKeyShowsStarsButKeepsTheKey() {
    TframParams& page = *page_;
    page.KeyPart(1)->setFocus();
    TypeIntoFocus(page, "123456789");

    SettingsStore::WriteSwitch(kHideKeyValue, true);
    page.ArrangePage();
    QCOMPARE(page.KeyPart(1)->displayText(), QString("********"));
    QCOMPARE(page.KeyPart(2)->displayText(), QString("*"));
    QCOMPARE(page.CurrentKeyEntry().parts[0], std::string("12345678"));

    SettingsStore::WriteSwitch(kHideKeyValue, false);
    page.ArrangePage();
    QCOMPARE(page.KeyPart(1)->displayText(), QString("12345678"));
}

void ParamsPageTest::typedKeyGivesTheCommandLineKeyWords_data() {
    QTest::addColumn<int>("keyType");
    QTest::addColumn<int>("keyLength");
    QTest::addColumn<QString>("key");  // as given to the command line
    QTest::newRow("numerical 128") << 0 << 0 << "12345678-90123456-78901234-56789012-34567890";
    QTest::newRow("numerical 128, short parts") << 0 << 0 << "1-22-333-4444-55555";
    QTest::newRow("numerical 96") << 0 << 1 << "123456-654321-999999-000001-424242";
    QTest::newRow("numerical 64") << 0 << 2 << "12345-6789-99999-1";
    QTest::newRow("text 128") << 1 << 0 << "Sixteen-chars ok";
    QTest::newRow("text 64") << 1 << 2 << "8 chars!";
}

void ParamsPageTest::typedKeyGivesTheCommandLineKeyWords() {
    QFETCH(int, keyType);
    QFETCH(int, keyLength);
    QFETCH(QString, key);
    TframParams& page = *page_;
    Choose(page.KeyTypeCombo(), keyType);
    Choose(page.KeyLengthCombo(), keyLength);
    TypeKey(page, keyType, key);
    QVERIFY(boxes_->Boxes().empty());

    const KeyEntry typed = page.CurrentKeyEntry();
    const KeyEntry given = EntryFromCommandLine(keyType, keyLength, key);
    CipherKey fromPage{};
    CipherKey fromCommandLine{};
    QVERIFY(AssembleKey(typed, fromPage));
    QVERIFY(AssembleKey(given, fromCommandLine));
    QCOMPARE(fromPage, fromCommandLine);
    QCOMPARE(typed.keyType, keyType);
    QCOMPARE(typed.keyLength, keyLength);
}

void ParamsPageTest::languageFileReplacesTheTexts() {
    TframParams& page = *page_;
    const QString previousFolder = QDir::currentPath();
    const LanguageState previous = CurrentLanguageState();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    SetLanguageState({"Languages/German.lng", false});
    Choose(page.KeyTypeCombo(), 1);
    Choose(page.KeyLengthCombo(), 2);
    ApplyLanguageTexts();
    page.ArrangePage();
    page.ApplyKeyFormat();
    SetLanguageState(previous);
    QDir::setCurrent(previousFolder);

    QCOMPARE(page.findChild<QLabel*>("lblKeyType")->text(), QString::fromUtf8("Schlüsseltyp:"));
    QCOMPARE(page.KeyTypeCombo()->itemText(0), QString("Numerisch"));
    QCOMPARE(page.KeyLengthCombo()->itemText(2), QString("64 Bit"));
    QCOMPARE(static_cast<QListWidget*>(page.ActionList())->item(1)->text(), QString::fromUtf8("Entschlüsselung"));
    QCOMPARE(page.ActionCaption(1), QString::fromUtf8("Entschlüsseln"));
    QCOMPARE(page.findChild<FlatButton*>("shpHelp")->text(), QString("Hilfe"));
    // The lists are back at their first entries, and the buttons take the
    // file's width.
    QCOMPARE(page.KeyTypeCombo()->currentIndex(), 0);
    QCOMPARE(page.KeyLengthCombo()->currentIndex(), 0);
    QVERIFY(page.KeyPart(5)->isVisible());
    QCOMPARE(page.findChild<FlatButton*>("shpHelp")->width(), 130);

    page.KeyPart(1)->setFocus();
    QTest::keyClick(page.KeyPart(1), 'x');
    QVERIFY(QString::fromStdString(boxes_->Boxes().at(0).text)
                .startsWith(QString::fromUtf8("Sie haben ein ungültiges Zeichen")));
}

}  // namespace tarvoss

QTEST_MAIN(tarvoss::ParamsPageTest)
#include "ParamsPageTest.moc"
