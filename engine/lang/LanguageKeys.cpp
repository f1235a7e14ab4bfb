#include "lang/LanguageKeys.h"

#include <array>

#include "lang/ProfileReader.h"

namespace tarvoss {
namespace {

constexpr KnownKey kGeneralKeys[] = {
    {kLanguageNameKey, ""},
};

constexpr KnownKey kMainFormKeys[] = {
    {"Message.CloseQuery", "Not all files in the list are processed. Do you really want to quit ?"},
    {"Toolbar.lblFiles", "Files"},
    {"Toolbar.lblParams", "Parameters"},
    {"Toolbar.lblGo", "Go!"},
    {"Menu.File", "&File"},
    {"Menu.File.AddFiles", "Add file(s)..."},
    {"Menu.File.AddFolder", "Add folder..."},
    {"Menu.File.RemoveSelItem", "Remove item(s) from the list"},
    {"Menu.File.Encrypt", "Encrypt files"},
    {"Menu.File.Decrypt", "Decrypt files"},
    {"Menu.File.Exit", "Exit"},
    {"Menu.View", "&View"},
    {"Menu.View.Pages", "Pages"},
    {"Menu.View.Settings", "Settings"},
    {"Menu.Tools", "&Tools"},
    {"Menu.Tools.KeyGen", "Key generator"},
    {"Menu.Help", "&Help"},
    {"Menu.Help.Contents", "Contents"},
    {"Menu.Help.TSOnTheWeb", "Tarvoss on the WEB"},
    {"Menu.Help.About", "About..."},
};

constexpr KnownKey kFilesKeys[] = {
    {"Button.AddFiles", "Add file(s)"},
    {"Button.AddFolder", "Add folder"},
    {"ListViewColumn.FileName", "File name"},
    {"ListViewColumn.Path", "Path"},
    {"ListViewColumn.Size", "Size"},
    {"ListViewColumn.Status", "Status"},
    {"Label.BrowseForFolderTitle", "Select the folder:"},
    {"Error.WhileReadingFile", "The error has occurred while reading file"},
    {"Label.SuchFileExists", "The files list already contains a file named"},
    {"Label.KBytes", "KB"},
    {"Label.MBytes", "MB"},
    {"Label.GBytes", "GB"},
    {"Error.DelSourceFiles", "Do you really want to delete source files after encryption/decryption ?"},
    {"Label.TypeOfProcessing", "Select needed type of processing :"},
    {"Label.TypeOfProcessing.Normal", "Encrypt/decrypt files"},
    {"Label.TypeOfProcessing.Copy", "Copy and encrypt/decrypt the copies"},
    {"Label.DelSourceFiles", "Delete source files after encryption/decryption"},
    {"Label.DestinationDirectory", "Destination directory:"},
};

constexpr KnownKey kParamsKeys[] = {
    {"Label.AlgParams", "Algorithm parameters:"},
    {"Label.KeyParams", "Key parameters:"},
    {"Label.Algorithm", "Encryption algorithm:"},
    {"Label.Action", "Action:"},
    {"Label.Action.Encryption", "Encryption"},
    {"Label.Action.Decryption", "Decryption"},
    {"Label.KeyType", "Key type:"},
    {"Label.KeyType.Numerical", "Numerical"},
    {"Label.KeyType.Text", "Text"},
    {"Label.KeyLength", "Key length:"},
    {"Label.KeyLength.128Bits", "128 bit"},
    {"Label.KeyLength.96Bits", "96 bit"},
    {"Label.KeyLength.64Bits", "64 bit"},
    {"Label.Key", "Key:"},
    {"Button.Reset", "Reset"},
    {"Button.Help", "Help"},
    {"Button.RestoreDefaults", "Restore defaults"},
    {"Error.InvalidSymbol", "You have entered a wrong symbol. Please select other key type to resolve the problem."},
};

constexpr KnownKey kGoKeys[] = {
    {"Button.EncryptFiles", "Encrypt"},
    {"Button.DecryptFiles", "Decrypt"},
    {"Button.Stop", "Stop"},
    {"Label.CurFile", "Current file:"},
    {"Label.CurFileProgress", "Current file's progress:"},
    {"Label.TotalProgress", "Total progress:"},
    {"Log.Init", "Log is initialized"},
    {"Log.EncryptingFile", "- Encrypting file"},
    {"Log.DecryptingFile", "- Decrypting file"},
    {"Log.DeletingFile", "- Deleting file"},
    {"Log.CryptingError", "Error:"},
    {"Log.WasSuccessfullyDecrypted", "Decrypting is finished"},
    {"Log.WasSuccessfullyEncrypted", "Encrypting is finished"},
    {"Error.ActionNotSelected", "Please, select direction of algorithm and try again."},
    {"Error.EncryptionKeyNotEntered", "Please, enter the key of encryption and try again."},
    {"Error.DecryptionKeyNotEntered", "Please, enter the key of decryption and try again."},
    {"Error.KeyIsTooShort", "The key you have entered is too short. Please, enter all symbols of key and try again."},
    {"Error.NoFileSelected",
     "You did not select any file. Please, select file or folder you want to encrypt/decrypt and try again."},
    {"Error.DestFolderIsEmpty", "You did not enter a destination directory. Please, enter it and try again."},
    {"Error.ErrorWhileEncrypting", "An error has occurred while encrypting file "},
    {"Error.ErrorWhileDecrypting", "An error has occurred while decrypting file "},
    {"Error.ItemDoesNotExist", "The file \"%file%\" does not exist. Do you want to remove it from the list ?"},
    {"Label.CheckTheInfo", "Please, check the following information :"},
    {"Label.IsAllInfoCorrect", "Is all this information correct ?"},
    {"Error.InPlaceFileChanged",
     "The file changed since its in-place run was interrupted: it is not as its recovery journal describes. The "
     "file was left unchanged and the journal is kept."},
    {"Error.InPlaceJournalDamaged",
     "The recovery journal of the file is damaged. The file was left unchanged and the journal is kept."},
    {"Error.InPlaceLengthChanged",
     "Another program changed the length of the file during the run. The file keeps all its bytes and its recovery "
     "journal is kept."},
    {"Error.InPlaceJournalNotRemoved", "The file is finished, but its recovery journal could not be removed:"},
};

constexpr KnownKey kKeyGenKeys[] = {
    {"Button.GenerateKey", "Generate key"},
    {"Button.SetKey", "Set key"},
    {"Button.Close", "Close"},
};

constexpr KnownKey kSizesKeys[] = {
    {kButtonWidthKey, "100"},
    {kButtonHeightKey, "24"},
};

constexpr std::array kSections = {
    KnownSection{kGeneralSection, kGeneralKeys}, KnownSection{kMainFormSection, kMainFormKeys},
    KnownSection{kFilesSection, kFilesKeys},     KnownSection{kParamsSection, kParamsKeys},
    KnownSection{kGoSection, kGoKeys},           KnownSection{kKeyGenSection, kKeyGenKeys},
    KnownSection{kSizesSection, kSizesKeys},
};

}  // namespace

std::span<const KnownSection> KnownSections() { return kSections; }

const KnownSection* FindKnownSection(std::string_view section) {
    for (const KnownSection& known : kSections) {
        if (SameProfileName(known.name, section)) return &known;
    }
    return nullptr;
}

const KnownKey* FindKnownKey(std::string_view section, std::string_view key) {
    const KnownSection* known = FindKnownSection(section);
    if (known == nullptr) return nullptr;
    for (const KnownKey& entry : known->keys) {
        if (SameProfileName(entry.key, key)) return &entry;
    }
    return nullptr;
}

std::string_view BuiltInText(std::string_view section, std::string_view key) {
    const KnownKey* known = FindKnownKey(section, key);
    return known != nullptr ? known->englishText : std::string_view{};
}

}  // namespace tarvoss
