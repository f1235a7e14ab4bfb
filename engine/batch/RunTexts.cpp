#include "batch/RunTexts.h"

#include <array>

namespace tarvoss {

const std::string& RunTexts::FileLine(Direction direction) const {
    return direction == Direction::Encrypt ? encryptingFile : decryptingFile;
}

const std::string& RunTexts::ErrorWhile(Direction direction) const {
    return direction == Direction::Encrypt ? errorWhileEncrypting : errorWhileDecrypting;
}

std::string_view TerminatedText(Direction direction) {
    return direction == Direction::Encrypt ? kEncryptingTerminated : kDecryptingTerminated;
}

std::string CannotCreateFolderText(const std::string& path) {
    return "Cannot create the folder \"" + path + "\". Please, restart the application and try again.";
}

std::span<const RunTextKey> RunTextKeys() {
    static constexpr std::array<RunTextKey, 26> keys{{
        {"Log.EncryptingFile", &RunTexts::encryptingFile},
        {"Log.DecryptingFile", &RunTexts::decryptingFile},
        {"Log.DeletingFile", &RunTexts::deletingFile},
        {"Log.CryptingError", &RunTexts::cryptingError},
        {"Error.ErrorWhileEncrypting", &RunTexts::errorWhileEncrypting},
        {"Error.ErrorWhileDecrypting", &RunTexts::errorWhileDecrypting},
        {"Log.WasSuccessfullyEncrypted", &RunTexts::wasSuccessfullyEncrypted},
        {"Log.WasSuccessfullyDecrypted", &RunTexts::wasSuccessfullyDecrypted},
        {"Error.ReadError", &RunTexts::readError},
        {"Error.UnfinishedInPlaceRun", &RunTexts::unfinishedInPlaceRun},
        {"Error.NoTrashForSource", &RunTexts::noTrashForSource},
        {"Error.TooLargeForLayout", &RunTexts::tooLargeForLayout},
        {"Error.InPlaceFileChanged", &RunTexts::inPlaceFileChanged},
        {"Error.InPlaceJournalDamaged", &RunTexts::inPlaceJournalDamaged},
        {"Error.InPlaceLengthChanged", &RunTexts::inPlaceLengthChanged},
        {"Error.InPlaceJournalNotRemoved", &RunTexts::inPlaceJournalNotRemoved},
        {"Error.InPlaceLocked", &RunTexts::inPlaceLocked},
        {"Error.InPlaceJournalUnwritable", &RunTexts::inPlaceJournalUnwritable},
        {"Error.InPlaceJournalUnreadable", &RunTexts::inPlaceJournalUnreadable},
        {"Error.InPlaceWrongKeyEncryption", &RunTexts::inPlaceWrongKeyEncryption},
        {"Error.InPlaceWrongKeyDecryption", &RunTexts::inPlaceWrongKeyDecryption},
        {"Error.InPlaceFinishedEncryption", &RunTexts::inPlaceFinishedEncryption},
        {"Error.InPlaceFinishedDecryption", &RunTexts::inPlaceFinishedDecryption},
        {"Error.InPlaceUnfinished", &RunTexts::inPlaceUnfinished},
        {"Error.ReachedAgain", &RunTexts::reachedAgain},
        {"Error.KeyRefused", &RunTexts::keyRefused},
    }};
    return keys;
}

}  // namespace tarvoss
