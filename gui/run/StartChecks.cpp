#include "run/StartChecks.h"

#include <array>
#include <optional>

#include "cipher/KeyRules.h"
#include "cipher/TextKeyBytes.h"
#include "common/MessageBoxes.h"
#include "common/ShownName.h"
#include "desktop/ProductInfo.h"
#include "lang/LanguageKeys.h"
#include "model/FileListModel.h"
#include "model/RunChoices.h"
#include "model/Wizard.h"
#include "platform/FileAttributes.h"
#include "run/GoTexts.h"
#include "settings/OptionsForm.h"
#include "settings/TextCatalogue.h"

namespace tarvoss {
namespace {

constexpr char kLineBreak[] = "\r\n";

void Inform(const StartCheck& check, const QString& text) {
    check.boxes.ShowInformation(text.toStdString(), kInformationCaption);
}

// Check 1, also the end of check 4 when its last row went.
bool ListNotEmpty(const StartCheck& check) {
    if (check.wizard.Choices().Items().Count() > 0) return true;
    Inform(check, check.texts.noFileSelected);
    check.wizard.SelectPage(Wizard::kFilesPage);
    check.wizard.Choices().PointOut(RunChoices::Choice::Items);
    return false;
}

// Check 2.
bool DestinationUsable(const StartCheck& check) {
    const RunChoices& choices = check.wizard.Choices();
    if (choices.Mode() != ProcessingMode::Copy) return true;
    const std::string& destination = choices.Destination();
    if (!destination.empty() && IsDirectory(destination)) return true;
    Inform(check, check.texts.destFolderIsEmpty);
    check.wizard.SelectPage(Wizard::kFilesPage);
    check.wizard.Choices().PointOut(RunChoices::Choice::Destination);
    return false;
}

// Check 3.
bool ActionChosen(const StartCheck& check) {
    if (check.wizard.Choices().Action() != -1) return true;
    Inform(check, check.texts.actionNotSelected);
    check.wizard.SelectPage(Wizard::kParamsPage);
    check.wizard.Choices().PointOut(RunChoices::Choice::Action);
    return false;
}

// Check 4: the rows are examined from the first again after each removal.
bool ItemsPresent(const StartCheck& check) {
    FileListModel& items = check.wizard.Choices().Items();
    std::size_t index = 0;
    while (index < items.Count()) {
        const RunRow& row = items.Row(index);
        if (row.kind == RowKind::DiskRoot || PathExists(row.path)) {
            ++index;
            continue;
        }
        const QString question = ItemMissingQuestion(check.texts.itemDoesNotExist,
                                                     QString::fromStdString(ShownName(ColumnsOfRow(row).name)));
        if (!check.boxes.AskConfirmation(question.toStdString(), kProductName, check.owner)) return false;
        items.Remove({index});
        if (!ListNotEmpty(check)) return false;
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

bool KeyComplete(const StartCheck& check) {
    const KeyEntry& key = check.wizard.Choices().Key();
    // A text key is one byte per character: a character without a byte would
    // make a key other than the one typed.
    const bool outsideCodePage =
        KeyTypeAt(key.keyType) == KeyType::Text && !AllowedKeyText(KeyCharacters::CodePage, key.parts[0]);
    const int part = outsideCodePage ? 1 : IncompleteKeyPart(key);
    if (part == 0) return true;
    Inform(check, outsideCodePage ? check.texts.textKeyOutsideCodePage : check.texts.keyIsTooShort);
    check.wizard.SelectPage(Wizard::kParamsPage);
    check.wizard.Choices().PointOut(RunChoices::Choice::KeyPart, part);
    return false;
}

// Check 6.
bool Confirmed(const StartCheck& check) {
    const TfrmOptions* options = check.wizard.SettingsDialog();
    if (options == nullptr || !options->ShowConfDialog()) return true;
    const QString text = ConfirmationText(check.wizard.Choices(), check.texts);
    return check.boxes.AskConfirmation(text.toStdString(), kProductName, check.owner);
}

// The Parameters page's text of `key` in the current language.
QString ParamsText(std::string_view key) { return LanguageTexts().CurrentText(kParamsSection, key); }

// The entry `index` of a list of the Parameters page, whose entries are the
// texts of `keys`; nothing for an entry the list does not have.
template <std::size_t N>
QString EntryText(const std::array<std::string_view, N>& keys, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) return {};
    return ParamsText(keys[static_cast<std::size_t>(index)]);
}

constexpr std::array<std::string_view, 2> kActionKeys = {"Label.Action.Encryption", "Label.Action.Decryption"};
constexpr std::array<std::string_view, 2> kKeyTypeKeys = {"Label.KeyType.Numerical", "Label.KeyType.Text"};
constexpr std::array<std::string_view, 3> kKeyLengthKeys = {"Label.KeyLength.128Bits", "Label.KeyLength.96Bits",
                                                            "Label.KeyLength.64Bits"};

}  // namespace

bool PassStartChecks(const StartCheck& check) {
    return ListNotEmpty(check) && DestinationUsable(check) && ActionChosen(check) && ItemsPresent(check) &&
           KeyComplete(check) && Confirmed(check);
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

QString ConfirmationText(const RunChoices& choices, const GoTexts& texts) {
    const auto line = [](std::string_view caption, const QString& choice) {
        return ParamsText(caption) + " " + choice + kLineBreak;
    };
    const KeyEntry& key = choices.Key();
    return texts.checkTheInfo + kLineBreak + kLineBreak + line("Label.Algorithm", kAlgorithmName) +
           line("Label.Action", EntryText(kActionKeys, choices.Action())) +
           line("Label.KeyType", EntryText(kKeyTypeKeys, key.keyType)) +
           line("Label.KeyLength", EntryText(kKeyLengthKeys, key.keyLength)) + kLineBreak + texts.isAllInfoCorrect;
}

}  // namespace tarvoss
