#include "lang/LanguageKeys.h"

#include <array>

#include "lang/ProfileReader.h"

namespace tarvoss {
namespace {

constexpr KnownKey kGeneralKeys[] = {
    {kLanguageNameKey, ""},
    {kLocaleKey, ""},
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
    {"Message.InterruptedRun", "An in-place run was interrupted and left these files partly transformed:"},
    {"Message.InterruptedRun.Encryption", "encryption"},
    {"Message.InterruptedRun.Decryption", "decryption"},
    {"Message.InterruptedRun.UnreadableJournal", "A damaged journal, whose file is left alone:"},
    {"Message.InterruptedRun.HowToFinish",
     "To finish a file, run it again in place, in the direction shown, with the same key type, key length and key. "
     "Any later run that reaches the file finishes it first, and so does \"tarvoss-cli recover\"."},
    {"Message.InterruptedRun.Offer",
     "Put the files that wait for %action% in the list now? In-place processing and the action are then chosen "
     "for you: enter the key of the interrupted run and start."},
    {"Message.InterruptedRun.Gone", "The files of these interrupted runs are no longer where the runs left them:"},
    {"Message.InterruptedRun.DropJournals",
     "Drop their recovery journals? A file that was only moved can then no longer be finished."},
    {"Message.InterruptedRun.DropFailed", "The recovery journal cannot be removed:"},
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
    {"Label.FileList", "Files and folders to process"},
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
    {"Error.ReadError", "Read error:"},
    {"Error.UnfinishedInPlaceRun",
     "An in-place run on this file was interrupted: the file may be partly transformed, so it was not copied and "
     "stays as it is. To finish it, transform it in place again in the same direction with the same key."},
    {"Error.NoTrashForSource",
     "No trash can take this file on its file system, so it was kept: a decrypted source is never deleted for good."},
    {"Error.TooLargeForLayout",
     "The file is too large for the encrypted layout: the file and its encrypted form must both stay below 4 GB "
     "(4294967296 bytes)."},
    {"Error.TextKeyOutsideCodePage",
     "A text key may only hold characters of the Western European character set (Windows-1252), one byte each: "
     "letters such as \xC3\xA4, \xC3\xA9 or \xC3\x9F are fine, other scripts and most symbols are not. Please, "
     "change the key and try again."},
    {"Label.Log", "Log of the run"},
    {"Error.InPlaceFileChanged",
     "The file changed since its in-place run was interrupted: it is not as its recovery journal describes. The "
     "file was left unchanged and the journal is kept."},
    {"Error.InPlaceJournalDamaged",
     "The recovery journal of the file is damaged. The file was left unchanged and the journal is kept."},
    {"Error.InPlaceLengthChanged",
     "Another program changed the length of the file during the run. The file keeps all its bytes and its recovery "
     "journal is kept."},
    {"Error.InPlaceJournalNotRemoved", "The file is finished, but its recovery journal could not be removed:"},
    {"Error.InPlaceLocked", "The file is being transformed by another run. It was left unchanged."},
    {"Error.InPlaceJournalUnwritable",
     "The recovery journal cannot be written (%reason%). The file was left unchanged."},
    {"Error.InPlaceJournalUnreadable",
     "The file has an unfinished transform, but its recovery journal cannot be used (%reason%). The file was left "
     "unchanged."},
    {"Error.InPlaceWrongKeyEncryption",
     "The file has an unfinished encryption under another key. Use that key to finish it. The file was left "
     "unchanged."},
    {"Error.InPlaceWrongKeyDecryption",
     "The file has an unfinished decryption under another key. Use that key to finish it. The file was left "
     "unchanged."},
    {"Error.InPlaceFinishedEncryption",
     "The file had an unfinished encryption, which is now finished instead. Run again to transform it further."},
    {"Error.InPlaceFinishedDecryption",
     "The file had an unfinished decryption, which is now finished instead. Run again to transform it further."},
    {"Error.InPlaceUnfinished",
     "%reason% The file is only partly transformed; its recovery journal is kept. Once the fault is mended, "
     "\"tarvoss-cli recover\" or another run on the file finishes it."},
    {"Error.ReachedAgain",
     "The file was already transformed in this run (it was reached again through another row, folder or link). It "
     "was not transformed twice."},
    {"Error.KeyRefused",
     "The key cannot be used: every part of a 96 or 64 bit key must be a whole number. Please, correct the key and "
     "try again."},
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
