#pragma once
// The texts a run writes into the log and its messages. Those with a language
// key start as the built-in English text and are replaced by the language
// file (the window fills them through RunTextKeys()); the fixed ones are
// constants.

#include <span>
#include <string>
#include <string_view>

#include "cipher/FileTransforms.h"
#include "cipher/InPlaceOutcome.h"

namespace tarvoss {

// The in-place outcomes' words (InPlaceTexts) are the run's texts too.
struct RunTexts : InPlaceTexts {
    std::string encryptingFile = "- Encrypting file";
    std::string decryptingFile = "- Decrypting file";
    std::string deletingFile = "- Deleting file";
    std::string cryptingError = "Error:";
    std::string errorWhileEncrypting = "An error has occurred while encrypting file ";
    std::string errorWhileDecrypting = "An error has occurred while decrypting file ";
    std::string wasSuccessfullyEncrypted = "Encrypting is finished";
    std::string wasSuccessfullyDecrypted = "Decrypting is finished";
    // Put in front of the system's reason when reading a file failed.
    std::string readError = "Read error:";
    // A copy refused because an in-place run on its source was interrupted;
    // the command line names its own way of finishing it.
    std::string unfinishedInPlaceRun =
        "An in-place run on this file was interrupted: the file may be partly transformed, so it was not copied "
        "and stays as it is. To finish it, transform it in place again in the same direction with the same key.";
    // A decrypted source that no trash can take.
    std::string noTrashForSource =
        "No trash can take this file on its file system, so it was kept: a decrypted source is never deleted for "
        "good.";
    // The detail under a file too large for the encrypted layout.
    std::string tooLargeForLayout =
        "The file is too large for the encrypted layout: the file and its encrypted form must both stay below 4 GB "
        "(4294967296 bytes).";
    // A file that a run reached again through another row, folder or link.
    std::string reachedAgain =
        "The file was already transformed in this run (it was reached again through another row, folder or "
        "link). It was not transformed twice.";

    // A key whose parts give no key words (a part of a 96 or 64 bit key that
    // is no whole number): no run starts.
    std::string keyRefused =
        "The key cannot be used: every part of a 96 or 64 bit key must be a whole number. Please, correct the key "
        "and try again.";

    // The start of the log line announcing a file of this direction.
    const std::string& FileLine(Direction direction) const;
    // The head of the failure message (ends in a blank).
    const std::string& ErrorWhile(Direction direction) const;
};

inline constexpr std::string_view kCannotDeleteSource = "Cannot delete source file";
inline constexpr std::string_view kEncryptionFailedDetail = "System error has occurred.";
inline constexpr std::string_view kDecryptionFailedDetail = "Read error. Maybe the file was never encrypted.";
inline constexpr std::string_view kEncryptingTerminated = "Encrypting was terminated by user";
inline constexpr std::string_view kDecryptingTerminated = "Decrypting was terminated by user";
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kOutOfMemory =
    "The allocation attempt failed because of a lack of available memory or heap corruption !";

std::string_view TerminatedText(Direction direction);
// "Cannot create the folder "PATH". Please, restart the application and try again."
std::string CannotCreateFolderText(const std::string& path);

// The language keys of section "frameGo" behind the replaceable texts.
struct RunTextKey {
    std::string_view key;
    std::string RunTexts::*text;
};
std::span<const RunTextKey> RunTextKeys();

}  // namespace tarvoss
