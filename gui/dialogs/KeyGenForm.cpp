#include "dialogs/KeyGenForm.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cipher/KeyGenerator.h"
#include "common/ErrorReport.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "model/RunChoices.h"
#include "model/Wizard.h"
#include "pages/FrameParams.h"
#include "pages/KeyContainer.h"
#include "pages/KeyFormat.h"
#include "settings/TextCatalogue.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

// Layout: the two lists side by side, the key below them, a line, then the
// buttons along the bottom.
constexpr int kMargin = 10;
constexpr int kRightColumn = 200;
constexpr int kListWidth = 160;
constexpr int kComboHeight = 22;
constexpr int kLabelHeight = 16;
constexpr int kListLabelTop = 10;
constexpr int kListTop = 28;
constexpr int kKeyLabelTop = 62;
constexpr int kKeyTop = 80;
constexpr int kLineTop = 114;
constexpr int kButtonTop = 124;
constexpr int kButtonHeight = 24;
constexpr int kButtonGap = 5;

// The built-in English text of one of the dialog's keys.
QString English(std::string_view key) { return EnglishText(kKeyGenSection, key); }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(left, top, kListWidth, kLabelHeight);
    return label;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& entries, int left) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(entries);
    combo->setCurrentIndex(0);
    combo->setGeometry(left, kListTop, kListWidth, kComboHeight);
    return combo;
}

// New random texts for the fields in use by `format`, in order; nothing when
// the system's random source failed.
std::optional<std::vector<std::string>> RandomKeyParts(const KeyFormat& format) {
    std::vector<std::string> parts;
    for (int part = 0; part < format.visibleParts; ++part) {
        std::optional<std::string> text =
            format.text ? RandomKeyText(format.maxLength) : RandomDigitGroup(format.maxLength);
        if (!text) return std::nullopt;
        parts.push_back(std::move(*text));
    }
    return parts;
}

// The Parameters page's text of `key` in the current language.
QString ParamsText(std::string_view key) { return LanguageTexts().CurrentText(kParamsSection, key); }

void TakeItems(QComboBox* combo, std::initializer_list<std::string_view> keys) {
    int index = 0;
    for (std::string_view key : keys) combo->setItemText(index++, ParamsText(key));
}

}  // namespace

TfrmKeyGen::TfrmKeyGen(MessageBoxes& boxes, QWidget* parent) : QDialog(parent), report_(boxes) {
    setObjectName("frmKeyGen");
    setWindowTitle("Key Generator");
    setFixedSize(kWidth, kHeight);
    CreateControls();
    AddLanguageTexts();
    ApplyKeyFormat();
    ArrangeButtons();
}

void TfrmKeyGen::CreateControls() {
    lblKeyType = MakeLabel(this, "lblKeyType", EnglishText(kParamsSection, "Label.KeyType"), kMargin, kListLabelTop);
    cboKeyType = MakeList(this, "cboKeyType", TframParams::KeyTypeEntries(), kMargin);
    lblKeyLength =
        MakeLabel(this, "lblKeyLength", EnglishText(kParamsSection, "Label.KeyLength"), kRightColumn, kListLabelTop);
    cboKeyLength = MakeList(this, "cboKeyLength", TframParams::KeyLengthEntries(), kRightColumn);
    // Only the user's choices apply the format; setting an entry from the
    // program does not.
    connect(cboKeyType, &QComboBox::activated, this, &TfrmKeyGen::cboKeyTypeChange);
    connect(cboKeyLength, &QComboBox::activated, this, &TfrmKeyGen::cboKeyLengthChange);

    lblKey = MakeLabel(this, "lblKey", EnglishText(kParamsSection, "Label.Key"), kMargin, kKeyLabelTop);
    panKeyContainer = new KeyContainer(this);
    panKeyContainer->move(kMargin, kKeyTop);
    // A screen reader names each list by the caption above it.
    lblKeyType->setBuddy(cboKeyType);
    lblKeyLength->setBuddy(cboKeyLength);

    bevSep = new QFrame(this);
    bevSep->setObjectName("bevSep");
    bevSep->setFrameShape(QFrame::HLine);
    bevSep->setFrameShadow(QFrame::Sunken);
    bevSep->setGeometry(kMargin, kLineTop, kWidth - 2 * kMargin, 2);

    shpGen = new FlatButton("shpGen", "lblGen", English("Button.GenerateKey"), this);
    shpSetKey = new FlatButton("shpSetKey", "lblSetKey", English("Button.SetKey"), this);
    shpClose = new FlatButton("shpClose", "lblClose", English("Button.Close"), this);
    connect(shpGen, &FlatButton::clicked, this, &TfrmKeyGen::shpGenMouseUp);
    connect(shpSetKey, &FlatButton::clicked, this, &TfrmKeyGen::shpSetKeyMouseUp);
    connect(shpClose, &FlatButton::clicked, this, &TfrmKeyGen::shpCloseMouseUp);
}

void TfrmKeyGen::AddLanguageTexts() {
    TextCatalogue& texts = LanguageTexts();
    auto addCaption = [&texts, this](std::string_view key, FlatButton* button, bool takeOverFirst) {
        texts.Add({kKeyGenSection,
                   key,
                   button,
                   [button] { return button->text(); },
                   [this, button, takeOverFirst](const QString& text) {
                       if (takeOverFirst) TakeOverParamsTexts();
                       button->setText(text);
                   },
                   {}});
    };
    // The texts shared with the Parameters page come over right before the
    // dialog's own first key is read.
    addCaption("Button.GenerateKey", shpGen, true);
    addCaption("Button.SetKey", shpSetKey, false);
    addCaption("Button.Close", shpClose, false);
}

void TfrmKeyGen::TakeOverParamsTexts() {
    if (wizard_ == nullptr) return;
    lblKey->setText(ParamsText("Label.Key"));
    lblKeyLength->setText(ParamsText("Label.KeyLength"));
    lblKeyType->setText(ParamsText("Label.KeyType"));
    TakeItems(cboKeyLength, {"Label.KeyLength.128Bits", "Label.KeyLength.96Bits", "Label.KeyLength.64Bits"});
    TakeItems(cboKeyType, {"Label.KeyType.Numerical", "Label.KeyType.Text"});
    // The fields keep following the lists: a key made for another type or
    // length does not stay behind under the first entries.
    const bool changed = cboKeyType->currentIndex() != kNumericalKey || cboKeyLength->currentIndex() != kKeyLength128;
    cboKeyType->setCurrentIndex(kNumericalKey);
    cboKeyLength->setCurrentIndex(kKeyLength128);
    if (changed) ApplyKeyFormat();
    panKeyContainer->NameParts(lblKey->text());
}

void TfrmKeyGen::ArrangeButtons() {
    const int width = LookupSize(kButtonWidthKey, kDefaultButtonWidth);
    // Wide buttons widen the dialog rather than cover one another.
    const int dialogWidth = std::max(kWidth, 2 * kMargin + 3 * width + 2 * kButtonGap);
    setFixedWidth(dialogWidth);
    bevSep->resize(dialogWidth - 2 * kMargin, bevSep->height());
    shpClose->move(dialogWidth - width - kMargin, kButtonTop);
    shpGen->move(kMargin, kButtonTop);
    shpSetKey->move(shpGen->x() + width + kButtonGap, kButtonTop);
    for (FlatButton* button : {shpGen, shpSetKey, shpClose}) button->Arrange(width, kButtonHeight);
}

void TfrmKeyGen::ApplyKeyFormat() {
    panKeyContainer->ApplyFormat(KeyFormatFor(cboKeyType->currentIndex(), cboKeyLength->currentIndex()));
    panKeyContainer->NameParts(lblKey->text());
}

void TfrmKeyGen::cboKeyTypeChange() { ApplyKeyFormat(); }

void TfrmKeyGen::cboKeyLengthChange() { ApplyKeyFormat(); }

void TfrmKeyGen::shpGenMouseUp() {
    const std::optional<std::vector<std::string>> parts =
        RandomKeyParts(KeyFormatFor(cboKeyType->currentIndex(), cboKeyLength->currentIndex()));
    if (!parts) {
        report_.ReportSystemError();
        return;
    }
    for (std::size_t i = 0; i < parts->size(); ++i) {
        KeyPart(static_cast<int>(i) + 1)->setText(QString::fromStdString((*parts)[i]));
    }
}

void TfrmKeyGen::shpSetKeyMouseUp() {
    if (wizard_ == nullptr) return;
    KeyEntry key;
    key.keyType = cboKeyType->currentIndex();
    key.keyLength = cboKeyLength->currentIndex();
    key.parts = panKeyContainer->PartTexts();
    wizard_->Choices().ReplaceKey(std::move(key));
    wizard_->SelectPage(Wizard::kParamsPage);
    accept();
}

void TfrmKeyGen::shpCloseMouseUp() { reject(); }

QLineEdit* TfrmKeyGen::KeyPart(int part) const { return panKeyContainer->Part(part); }

}  // namespace tarvoss
