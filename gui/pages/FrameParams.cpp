#include "pages/FrameParams.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include "common/MessageBoxes.h"
#include "desktop/ShellServices.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "model/RunChoices.h"
#include "model/Wizard.h"
#include "pages/KeyCharacterFilter.h"
#include "pages/KeyContainer.h"
#include "pages/KeyFormat.h"
#include "pages/PageGeometry.h"
#include "pages/ProtectionImage.h"
#include "settings/OptionsForm.h"
#include "settings/SettingsStore.h"
#include "settings/TextCatalogue.h"
#include "widgets/Attention.h"
#include "widgets/FlatButton.h"

namespace tarvoss {
namespace {

constexpr char kInvalidSymbolCaption[] = "Error";

// The two headings: bold 16-pixel type in the colour of an active title bar.
const QColor kHeadingColour{10, 36, 106};

// "Reset" sits 3 pixels right of the last visible part: 49 × 19 after five
// digit groups, 45 × 19 after four groups or a text key.
constexpr int kResetGap = 3;
constexpr int kResetWideWidth = 49;
constexpr int kResetNarrowWidth = 45;
constexpr int kResetHeight = 19;
// Space between "Restore defaults" and "Help".
constexpr int kBottomButtonGap = 5;

// Page layout: two columns of lists under each heading.
constexpr int kMargin = 10;
constexpr int kLeftColumn = 20;
constexpr int kRightColumn = 250;
constexpr int kColumnWidth = 220;
constexpr int kListWidth = 160;
constexpr int kComboHeight = 22;
constexpr int kLabelHeight = 16;
constexpr int kLineWidth = kPageWidth - 2 * kMargin;

// The built-in English text of one of the page's keys.
QString English(std::string_view key) { return EnglishText(kParamsSection, key); }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

// A label over a list of the left or right column.
QLabel* MakeColumnLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    return MakeLabel(parent, name, text, QRect(left, top, kColumnWidth, kLabelHeight));
}

QLabel* MakeHeading(QWidget* parent, const char* name, const QString& text, int top) {
    QLabel* heading = MakeLabel(parent, name, text, QRect(kMargin, top, 400, 20));
    QFont font("MS Sans Serif");
    font.setPixelSize(16);
    font.setBold(true);
    heading->setFont(font);
    QPalette palette = heading->palette();
    palette.setColor(QPalette::WindowText, kHeadingColour);
    heading->setPalette(palette);
    return heading;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& entries, QPoint at) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(entries);
    combo->setCurrentIndex(0);
    combo->setGeometry(at.x(), at.y(), kListWidth, kComboHeight);
    return combo;
}

QFrame* MakeLine(QWidget* parent, const char* name, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(kMargin, top, kLineWidth, 2);
    return line;
}

QLabel* MakeProtectionImage(QWidget* parent, const char* name, const char* hint, bool enabled) {
    auto* image = new QLabel(parent);
    image->setObjectName(name);
    image->setPixmap(DrawProtectionImage(enabled));
    image->setToolTip(hint);
    image->setGeometry(kPageWidth - kMargin - kProtectionImageSize, 8, kProtectionImageSize, kProtectionImageSize);
    return image;
}

// A flat button's caption as a language row; the label keeps the size of its text.
bool AddButtonCaption(TextCatalogue& catalogue, std::string_view key, FlatButton* button) {
    return catalogue.Add({kParamsSection,
                          key,
                          button,
                          [button] { return button->text(); },
                          [button](const QString& text) { button->setText(text); },
                          {}});
}

}  // namespace

TframParams::TframParams(MessageBoxes& boxes, QWidget* parent, RunChoices* choices)
    : QFrame(parent),
      boxes_(boxes),
      choices_(choices != nullptr ? choices : new RunChoices(this)),
      invalidSymbolText_(English("Error.InvalidSymbol")),
      encryptCaption_(EnglishText(kGoSection, "Button.EncryptFiles")),
      decryptCaption_(EnglishText(kGoSection, "Button.DecryptFiles")) {
    setObjectName("framParams");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);
    CreateControls();
    AddLanguageTexts();
    ApplyKeyFormat();
    StoreAction();
    StoreKey();
    connect(choices_, &RunChoices::keyReplaced, this, &TframParams::ShowReplacedKey);
    connect(choices_, &RunChoices::pointedOut, this, &TframParams::MarkChoice);
}

void TframParams::CreateControls() {
    lblAlgParams = MakeHeading(this, "lblAlgParams", English("Label.AlgParams"), 10);
    imgASPDisabled = MakeProtectionImage(this, "imgASPDisabled", "VudeVuruzido protection is enabled", true);
    imgASPEnabled = MakeProtectionImage(this, "imgASPEnabled", "VudeVuruzido Protection is disabled", false);
    imgASPEnabled->hide();

    lblCurAlg = MakeColumnLabel(this, "lblCurAlg", English("Label.Algorithm"), kLeftColumn, 44);
    cboAlg = MakeList(this, "cboAlg", {kAlgorithmName}, QPoint(kLeftColumn, 62));
    lblAction = MakeColumnLabel(this, "lblAction", English("Label.Action"), kRightColumn, 44);
    lstAction = new QListWidget(this);
    lstAction->setObjectName("lstAction");
    lstAction->addItems({English("Label.Action.Encryption"), English("Label.Action.Decryption")});
    lstAction->setSelectionMode(QAbstractItemView::SingleSelection);
    lstAction->setGeometry(kRightColumn, 62, kListWidth, 44);
    // Choices the user makes run the action choice; SelectAction blocks this.
    connect(lstAction, &QListWidget::itemSelectionChanged, this, &TframParams::StoreAction);
    connect(lstAction, &QListWidget::itemSelectionChanged, this, &TframParams::lstActionClick);

    bevSep1 = MakeLine(this, "bevSep1", 116);
    lblKeyParams = MakeHeading(this, "lblKeyParams", English("Label.KeyParams"), 128);

    lblKeyType = MakeColumnLabel(this, "lblKeyType", English("Label.KeyType"), kLeftColumn, 162);
    cboKeyType = MakeList(this, "cboKeyType", KeyTypeEntries(), QPoint(kLeftColumn, 180));
    lblKeyLength = MakeColumnLabel(this, "lblKeyLength", English("Label.KeyLength"), kRightColumn, 162);
    cboKeyLength = MakeList(this, "cboKeyLength", KeyLengthEntries(), QPoint(kRightColumn, 180));
    // Only the user's choices apply the format; setting an entry from the
    // program does not.
    connect(cboKeyType, &QComboBox::activated, this, &TframParams::cboKeyTypeChange);
    connect(cboKeyLength, &QComboBox::activated, this, &TframParams::cboKeyLengthChange);
    // The choices follow every change of the lists, whoever makes it.
    connect(cboKeyType, &QComboBox::currentIndexChanged, this, &TframParams::StoreKey);
    connect(cboKeyLength, &QComboBox::currentIndexChanged, this, &TframParams::StoreKey);
    // A screen reader names each list by the caption above it.
    lblCurAlg->setBuddy(cboAlg);
    lstAction->setAccessibleName(lblAction->text());
    lblKeyType->setBuddy(cboKeyType);
    lblKeyLength->setBuddy(cboKeyLength);

    lblKey = MakeColumnLabel(this, "lblKey", English("Label.Key"), kLeftColumn, 216);
    panKeyContainer = new KeyContainer(this);
    panKeyContainer->move(kLeftColumn, 234);
    for (int part = 1; part <= kKeyPartCount; ++part) {
        QLineEdit* field = panKeyContainer->Part(part);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, &TframParams::StoreKey);
        if (part < kKeyPartCount) {
            connect(field, &QLineEdit::textChanged, this, [this, part] { txtKeyPartChange(part); });
        }
    }
    shpClearKey = new FlatButton("shpClearKey", "lblClearKey", English("Button.Reset"), panKeyContainer);
    shpClearKey->move(0, (KeyContainer::kHeight - kResetHeight) / 2);
    connect(shpClearKey, &FlatButton::clicked, this, &TframParams::shpClearKeyMouseUp);

    bevSep2 = MakeLine(this, "bevSep2", 318);
    shpRestoreDef = new FlatButton("shpRestoreDef", "lblRestoreDef", English("Button.RestoreDefaults"), this);
    shpHelp = new FlatButton("shpHelp", "lblHelp", English("Button.Help"), this);
    for (FlatButton* button : {shpRestoreDef, shpHelp}) button->move(button->x(), 328);
    connect(shpRestoreDef, &FlatButton::clicked, this, &TframParams::shpRestoreDefMouseUp);
    connect(shpHelp, &FlatButton::clicked, this, &TframParams::shpHelpMouseUp);
}

void TframParams::AddLanguageTexts() {
    TextCatalogue& texts = LanguageTexts();
    const std::string_view section = kParamsSection;
    auto addListItem = [&](std::string_view key, int row) {
        QListWidget* list = lstAction;
        texts.Add({section,
                   key,
                   list,
                   [list, row] { return list->item(row)->text(); },
                   [list, row](const QString& text) { list->item(row)->setText(text); },
                   {}});
    };
    QComboBox* keyType = cboKeyType;
    QComboBox* keyLength = cboKeyLength;
    texts.AddLabel(section, "Label.AlgParams", lblAlgParams);
    texts.AddLabel(section, "Label.KeyParams", lblKeyParams);
    texts.AddLabel(section, "Label.Algorithm", lblCurAlg);
    // A list view is not named by a buddy label: it takes the caption as its name.
    texts.AddLabel(section, "Label.Action", lblAction, [this] { lstAction->setAccessibleName(lblAction->text()); });
    addListItem("Label.Action.Encryption", 0);
    addListItem("Label.Action.Decryption", 1);
    texts.AddLabel(section, "Label.KeyType", lblKeyType);
    texts.AddComboItem(section, "Label.KeyType.Numerical", keyType, 0);
    texts.AddComboItem(section, "Label.KeyType.Text", keyType, 1, [keyType] { keyType->setCurrentIndex(0); });
    texts.AddLabel(section, "Label.KeyLength", lblKeyLength);
    texts.AddComboItem(section, "Label.KeyLength.128Bits", keyLength, 0);
    texts.AddComboItem(section, "Label.KeyLength.96Bits", keyLength, 1);
    texts.AddComboItem(section, "Label.KeyLength.64Bits", keyLength, 2, [keyLength] { keyLength->setCurrentIndex(0); });
    texts.AddLabel(section, "Label.Key", lblKey);
    AddButtonCaption(texts, "Button.Reset", shpClearKey);
    AddButtonCaption(texts, "Button.Help", shpHelp);
    AddButtonCaption(texts, "Button.RestoreDefaults", shpRestoreDef);
    texts.AddStoredText(section, "Error.InvalidSymbol", this, &invalidSymbolText_);
    // The action button's captions belong to this page but are kept with
    // the Go! page's texts in the language file.
    texts.AddStoredText(kGoSection, "Button.EncryptFiles", this, &encryptCaption_);
    texts.AddStoredText(kGoSection, "Button.DecryptFiles", this, &decryptCaption_);
}

void TframParams::SelectAction(int index) {
    const QSignalBlocker quiet(lstAction);
    if (index >= 0 && index < lstAction->count()) {
        lstAction->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
        lstAction->clearSelection();
        lstAction->setCurrentRow(-1);
    }
    StoreAction();
}

void TframParams::StoreAction() { choices_->SetAction(SelectedAction()); }

void TframParams::StoreKey() { choices_->SetKey(CurrentKeyEntry()); }

void TframParams::ShowReplacedKey() {
    const KeyEntry key = choices_->Key();
    cboKeyType->setCurrentIndex(key.keyType);
    cboKeyLength->setCurrentIndex(key.keyLength);
    cboKeyTypeChange();
    // The page must not move the focus from part to part while the fields
    // are filled.
    fillingKey_ = true;
    const int parts = KeyFormatFor(key.keyType, key.keyLength).visibleParts;
    for (int part = 1; part <= parts; ++part) {
        KeyPart(part)->setText(QString::fromStdString(key.parts[static_cast<std::size_t>(part - 1)]));
    }
    fillingKey_ = false;
}

void TframParams::MarkChoice(RunChoices::Choice choice, int part) {
    switch (choice) {
    case RunChoices::Choice::Action: MarkForAttention(lstAction); break;
    case RunChoices::Choice::KeyPart:
        if (QLineEdit* field = KeyPart(part)) MarkForAttention(field);
        break;
    default: break;
    }
}

int TframParams::SelectedAction() const {
    const QList<QListWidgetItem*> selected = lstAction->selectedItems();
    return selected.isEmpty() ? -1 : lstAction->row(selected.first());
}

QString TframParams::ActionCaption(int action) const { return action == 1 ? decryptCaption_ : encryptCaption_; }

void TframParams::lstActionClick() { emit actionChosen(ActionCaption(SelectedAction())); }

void TframParams::ApplyKeyFormat() {
    const KeyFormat format = KeyFormatFor(cboKeyType->currentIndex(), cboKeyLength->currentIndex());
    panKeyContainer->ApplyFormat(format);
    panKeyContainer->NameParts(lblKey->text());
    const QLineEdit* last = panKeyContainer->Part(format.visibleParts);
    shpClearKey->move(last->x() + last->width() + kResetGap, shpClearKey->y());
    // Arrange centres the label 24 (or 22) right and 9 below the corner.
    shpClearKey->Arrange(format.visibleParts == kKeyPartCount ? kResetWideWidth : kResetNarrowWidth, kResetHeight);
}

void TframParams::ArrangePage() {
    const int width = LookupSize(kButtonWidthKey, kDefaultButtonWidth);
    const int height = LookupSize(kButtonHeightKey, kDefaultButtonHeight);
    shpHelp->move(bevSep2->x() + bevSep2->width() - width, shpHelp->y());
    shpHelp->Arrange(width, height);
    shpRestoreDef->move(shpHelp->x() - width - kBottomButtonGap, shpRestoreDef->y());
    shpRestoreDef->Arrange(width, height);
    shpClearKey->Arrange(kResetWideWidth, kResetHeight);
    ApplyHideKey(HideKeySetting());
}

void TframParams::ApplyHideKey(bool hide) { panKeyContainer->ShowHidden(hide); }

void TframParams::ShowProtection(bool enabled) {
    imgASPDisabled->setVisible(enabled);
    imgASPEnabled->setVisible(!enabled);
}

void TframParams::ClearAttentionMarks() {
    ClearAttention(lstAction);
    for (int part = 1; part <= kKeyPartCount; ++part) ClearAttention(KeyPart(part));
}

void TframParams::cboKeyTypeChange() { ApplyKeyFormat(); }

void TframParams::cboKeyLengthChange() { ApplyKeyFormat(); }

void TframParams::shpClearKeyMouseUp() { panKeyContainer->Clear(); }

void TframParams::shpRestoreDefMouseUp() {
    cboAlg->setCurrentIndex(0);
    cboKeyType->setCurrentIndex(kNumericalKey);
    cboKeyLength->setCurrentIndex(kKeyLength128);
    ApplyKeyFormat();
}

void TframParams::shpHelpMouseUp() { ShowHelp(boxes_, kHelpTopicKeyParameters); }

KeyEntry TframParams::CurrentKeyEntry() const {
    KeyEntry entry;
    entry.keyType = cboKeyType->currentIndex();
    entry.keyLength = cboKeyLength->currentIndex();
    entry.parts = panKeyContainer->PartTexts();
    return entry;
}

QStringList TframParams::KeyTypeEntries() {
    return {English("Label.KeyType.Numerical"), English("Label.KeyType.Text")};
}

QStringList TframParams::KeyLengthEntries() {
    return {English("Label.KeyLength.128Bits"), English("Label.KeyLength.96Bits"), English("Label.KeyLength.64Bits")};
}

QWidget* TframParams::ActionList() const { return lstAction; }
QComboBox* TframParams::KeyTypeCombo() const { return cboKeyType; }
QComboBox* TframParams::KeyLengthCombo() const { return cboKeyLength; }
QLineEdit* TframParams::KeyPart(int part) const { return panKeyContainer->Part(part); }

bool TframParams::KeyGeneratorShown() const {
    return keyGeneratorShown_ || fillingKey_ || (wizard_ != nullptr && wizard_->KeyGeneratorShown());
}

bool TframParams::HideKeySetting() const {
    // After a load the Settings dialog holds the switches; without one the
    // stored value counts.
    const TfrmOptions* settings = wizard_ != nullptr ? wizard_->SettingsDialog() : nullptr;
    if (settings != nullptr) return settings->HideKey();
    return SettingsStore::ReadSwitch(kHideKeyValue);
}

bool TframParams::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->parent() == panKeyContainer &&
        qobject_cast<QLineEdit*>(watched) != nullptr) {
        return txtKeyPartKeyPress(static_cast<QKeyEvent*>(event));
    }
    return QFrame::eventFilter(watched, event);
}

bool TframParams::txtKeyPartKeyPress(QKeyEvent* event) {
    if (cboKeyType->currentIndex() != kNumericalKey) return false;
    if (ClassifyForNumericalKey(*event) != TypedCharacter::Refused) return false;
    boxes_.ShowError(invalidSymbolText_.toStdString(), kInvalidSymbolCaption);
    return true;
}

void TframParams::txtKeyPartChange(int part) {
    if (KeyGeneratorShown() || cboKeyType->currentIndex() == kTextKey) return;
    const int length = cboKeyLength->currentIndex();
    if (!KeyLengthAt(length)) return;
    const KeyFormat format = KeyFormatFor(kNumericalKey, length);
    // The last visible part has no next part to move to (part 4 at 64 bit).
    if (part >= format.visibleParts) return;
    if (KeyPart(part)->text().size() == format.maxLength) {
        KeyPart(part + 1)->setFocus(Qt::TabFocusReason);
    }
}

}  // namespace tarvoss
