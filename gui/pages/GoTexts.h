#pragma once
// The texts the Go! page owns: the messages of its Start and Stop actions and
// the texts a run writes. Those with a language key start as the built-in
// English text and are replaced by the language file; the others are fixed.

#include <QString>

#include "batch/RunTexts.h"

namespace tarvoss {

struct GoTexts {
    QString actionNotSelected = "Please, select direction of algorithm and try again.";
    // Kept for language files that carry them; an empty key part is reported
    // with keyIsTooShort.
    QString encryptionKeyNotEntered = "Please, enter the key of encryption and try again.";
    QString decryptionKeyNotEntered = "Please, enter the key of decryption and try again.";
    QString keyIsTooShort = "The key you have entered is too short. Please, enter all symbols of key and try again.";
    QString noFileSelected =
        "You did not select any file. Please, select file or folder you want to encrypt/decrypt "
        "and try again.";
    // "%file%" stands for the item's name.
    QString itemDoesNotExist = "The file \"%file%\" does not exist. Do you want to remove it from the list ?";
    QString destFolderIsEmpty = "You did not enter a destination directory. Please, enter it and try again.";
    QString checkTheInfo = "Please, check the following information :";
    QString isAllInfoCorrect = "Is all this information correct ?";
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
