#pragma once
// The texts the Go! page owns: the messages of its Start and Stop actions and
// the texts a run writes. Those with a language key start as the built-in
// English text and are replaced by the language file; the others are fixed.

#include <QString>

#include "batch/RunTexts.h"
#include "lang/LanguageKeys.h"
#include "settings/TextCatalogue.h"

namespace tarvoss {

struct GoTexts {
    QString actionNotSelected = EnglishText(kGoSection, "Error.ActionNotSelected");
    // Kept for language files that carry them; an empty key part is reported
    // with keyIsTooShort.
    QString encryptionKeyNotEntered = EnglishText(kGoSection, "Error.EncryptionKeyNotEntered");
    QString decryptionKeyNotEntered = EnglishText(kGoSection, "Error.DecryptionKeyNotEntered");
    QString keyIsTooShort = EnglishText(kGoSection, "Error.KeyIsTooShort");
    QString noFileSelected = EnglishText(kGoSection, "Error.NoFileSelected");
    // "%file%" stands for the item's name.
    QString itemDoesNotExist = EnglishText(kGoSection, "Error.ItemDoesNotExist");
    QString destFolderIsEmpty = EnglishText(kGoSection, "Error.DestFolderIsEmpty");
    QString checkTheInfo = EnglishText(kGoSection, "Label.CheckTheInfo");
    QString isAllInfoCorrect = EnglishText(kGoSection, "Label.IsAllInfoCorrect");
    // A text key with a character that the text keys' code page lacks.
    QString textKeyOutsideCodePage = EnglishText(kGoSection, "Error.TextKeyOutsideCodePage");
    // What the run writes into the log and its error messages.
    RunTexts run;
};

inline constexpr char kStopEncryptingQuestion[] = "Do you really want to stop encrypting ?";
inline constexpr char kStopDecryptingQuestion[] = "Do you really want to stop decrypting ?";
inline constexpr char kPleaseWait[] = "Please wait...";
inline constexpr char kInformationCaption[] = "Information";
inline constexpr char kCannotStartWorker[] =
    "Cannot start new thread to process the items. Please, restart the application and try again";

}  // namespace tarvoss
