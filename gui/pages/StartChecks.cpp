#include "pages/StartChecks.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>

#include "cipher/KeyRules.h"
#include "cipher/TextKeyBytes.h"
#include "common/MessageBoxes.h"
#include "common/ShownName.h"
#include "desktop/ProductInfo.h"
#include "pages/FrameFiles.h"
#include "pages/FrameParams.h"
#include "pages/GoTexts.h"
#include "pages/Wizard.h"
#include "platform/FileAttributes.h"
#include "settings/OptionsForm.h"
#include "widgets/Attention.h"

namespace tarvoss {
namespace {

constexpr char kLineBreak[] = "\r\n";
// The Go! page owns the questions it asks before a run.
constexpr char kGoPageName[] = "framGo";

void Inform(const QString& text) { ShowInformation(text.toStdString(), kInformationCaption); }

// Check 1, also the end of check 4 when its last row went.
bool ListNotEmpty(Wizard& wizard, const GoTexts& texts) {
    TframFiles& files = wizard.FilesPage();
    if (files.RowCount() > 0) return true;
    Inform(texts.noFileSelected);
    wizard.SelectPage(Wizard::kFilesPage);
    if (QWidget* list = files.FileListWidget()) list->setFocus();
    return false;
}

// Check 2.
bool DestinationUsable(Wizard& wizard, const GoTexts& texts) {
    TframFiles& files = wizard.FilesPage();
    if (files.Mode() != ProcessingMode::Copy) return true;
    const std::string destination = files.DestinationText();
    if (!destination.empty() && IsDirectory(destination)) return true;
    Inform(texts.destFolderIsEmpty);
    wizard.SelectPage(Wizard::kFilesPage);
    MarkForAttention(files.DestinationEdit());
    return false;
}

// Check 3.
bool ActionChosen(Wizard& wizard, const GoTexts& texts) {
    TframParams& params = wizard.ParamsPage();
    if (params.SelectedAction() != -1) return true;
    Inform(texts.actionNotSelected);
    wizard.SelectPage(Wizard::kParamsPage);
    MarkForAttention(params.ActionList());
    return false;
}

// Check 4: the rows are examined from the first again after each removal.
bool ItemsPresent(Wizard& wizard, const GoTexts& texts) {
    TframFiles& files = wizard.FilesPage();
    std::size_t index = 0;
    while (index < files.RowCount()) {
        const std::optional<RunRow> row = files.RowAt(index);
        if (!row || row->kind == RowKind::DiskRoot || PathExists(row->folder + row->name)) {
            ++index;
            continue;
        }
        const QString question =
            ItemMissingQuestion(texts.itemDoesNotExist, QString::fromStdString(ShownName(row->name)));
        if (!AskConfirmation(question.toStdString(), kProductName, kGoPageName)) return false;
        files.RemoveRow(index);
        if (!ListNotEmpty(wizard, texts)) return false;
        index = 0;
    }
    return true;
}

// Check 5, the key's length: the part to mark (1 to 5), or 0 when the key is complete.
int IncompleteKeyPart(const KeyEntry& key) {
    const std::optional<KeyLength> length = KeyLengthAt(key.keyLength);
    if (KeyTypeAt(key.keyType) == KeyType::Text) {
        if (!length) return 0;
        const int characters = static_cast<int>(QString::fromStdString(key.parts[0]).size());
        return characters == KeyRuleFor(KeyType::Text, *length).partCharacters ? 0 : 1;
    }
    // A numerical key without a length has the parts of the first length.
    const int parts = KeyRuleFor(KeyType::Numerical, length.value_or(KeyLength::Bits128)).parts;
    for (int part = 1; part <= parts; ++part) {
        if (key.parts[part - 1].empty()) return part;
    }
    return 0;
}

bool KeyComplete(Wizard& wizard, const GoTexts& texts) {
    TframParams& params = wizard.ParamsPage();
    const KeyEntry key = params.CurrentKeyEntry();
    // A text key is one byte per character: a character without a byte would
    // make a key other than the one typed.
    const bool outsideCodePage =
        KeyTypeAt(key.keyType) == KeyType::Text && !AllowedKeyText(KeyCharacters::CodePage, key.parts[0]);
    const int part = outsideCodePage ? 1 : IncompleteKeyPart(key);
    if (part == 0) return true;
    Inform(outsideCodePage ? texts.textKeyOutsideCodePage : texts.keyIsTooShort);
    wizard.SelectPage(Wizard::kParamsPage);
    MarkForAttention(params.KeyPart(part));
    return false;
}

// Check 6.
bool Confirmed(Wizard& wizard, const GoTexts& texts) {
    const TfrmOptions* options = wizard.SettingsDialog();
    if (options == nullptr || !options->ShowConfDialog()) return true;
    const QString text = ConfirmationText(wizard.ParamsPage(), texts);
    return AskConfirmation(text.toStdString(), kProductName, kGoPageName);
}

QString SelectedActionText(const TframParams& params) {
    const auto* list = qobject_cast<const QListWidget*>(params.ActionList());
    if (list == nullptr || params.SelectedAction() < 0) return {};
    const QListWidgetItem* item = list->item(params.SelectedAction());
    return item != nullptr ? item->text() : QString();
}

}  // namespace

bool PassStartChecks(Wizard& wizard, const GoTexts& texts) {
    return ListNotEmpty(wizard, texts) && DestinationUsable(wizard, texts) && ActionChosen(wizard, texts) &&
           ItemsPresent(wizard, texts) && KeyComplete(wizard, texts) && Confirmed(wizard, texts);
}

QString ItemMissingQuestion(const QString& text, const QString& name) {
    static const QString placeholder = "%file%";
    QString question = text;
    for (qsizetype at = question.indexOf(placeholder, 1); at >= 0;
         at = question.indexOf(placeholder, at + name.size())) {
        question.replace(at, placeholder.size(), name);
    }
    return question;
}

QString ConfirmationText(const TframParams& params, const GoTexts& texts) {
    const auto line = [](const QLabel* label, const QString& choice) {
        return label->text() + " " + choice + kLineBreak;
    };
    return texts.checkTheInfo + kLineBreak + kLineBreak +
           line(params.AlgorithmLabel(), params.AlgorithmCombo()->currentText()) +
           line(params.ActionLabel(), SelectedActionText(params)) +
           line(params.KeyTypeLabel(), params.KeyTypeCombo()->currentText()) +
           line(params.KeyLengthLabel(), params.KeyLengthCombo()->currentText()) + kLineBreak + texts.isAllInfoCorrect;
}

}  // namespace tarvoss
