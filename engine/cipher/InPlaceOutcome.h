#pragma once
// Why an in-place transform did not end in "OK", beyond the system's error:
// what became of the file and its journal, for the message the user reads.
// EncryptFileInPlace / DecryptFileInPlace return it with their failure.

#include "cipher/Direction.h"
#include "common/Result.h"

#include <string>

namespace tarvoss {

enum class InPlaceOutcome {
    Done,               // finished (or failed before anything: the last error says why)
    Locked,             // another run holds the file; nothing changed
    JournalUnwritable,  // the journal could not be made; nothing changed
    JournalUnreadable,  // a pending journal cannot be read (the system's error); nothing changed
    JournalDamaged,     // a pending journal fails its checks; nothing changed, the journal kept
    FileChanged,        // the file is not in a state its journal describes; nothing changed, the journal kept
    WrongKey,           // a pending transform ran under another key; nothing changed
    FinishedOtherWay,   // a pending transform of the other direction was finished instead
    Unfinished,         // stopped in the middle; the journal is kept for finishing it
    LengthChanged,      // done but for the final length, which another program changed; the journal kept
    JournalNotRemoved,  // the file is finished, but its journal could not be removed for good
};

struct InPlaceReport {
    InPlaceOutcome outcome = InPlaceOutcome::Done;
    Direction pending = Direction::Encrypt;  // the journal's direction (WrongKey, FinishedOtherWay)
    int code = 0;                            // the system's error, where one was met
};

// Done, or the report of why not.
using InPlaceResult = Result<void, InPlaceReport>;

// The words of the in-place outcomes, English by default; a run's texts
// take the language file's (see batch/RunTexts.h). "%reason%" stands for the
// system's description of the error met.
struct InPlaceTexts {
    std::string inPlaceLocked = "The file is being transformed by another run. It was left unchanged.";
    std::string inPlaceJournalUnwritable =
        "The recovery journal cannot be written (%reason%). The file was left unchanged.";
    std::string inPlaceJournalUnreadable =
        "The file has an unfinished transform, but its recovery journal cannot be used (%reason%). The file was "
        "left unchanged.";
    std::string inPlaceWrongKeyEncryption =
        "The file has an unfinished encryption under another key. Use that key to finish it. The file was left "
        "unchanged.";
    std::string inPlaceWrongKeyDecryption =
        "The file has an unfinished decryption under another key. Use that key to finish it. The file was left "
        "unchanged.";
    std::string inPlaceFinishedEncryption =
        "The file had an unfinished encryption, which is now finished instead. Run again to transform it further.";
    std::string inPlaceFinishedDecryption =
        "The file had an unfinished decryption, which is now finished instead. Run again to transform it further.";
    std::string inPlaceUnfinished =
        "%reason% The file is only partly transformed; its recovery journal is kept. Once the fault is mended, "
        "\"tarvoss-cli recover\" or another run on the file finishes it.";
    std::string inPlaceFileChanged =
        "The file changed since its in-place run was interrupted: it is not as its recovery journal describes. "
        "The file was left unchanged and the journal is kept.";
    std::string inPlaceJournalDamaged =
        "The recovery journal of the file is damaged. The file was left unchanged and the journal is kept.";
    std::string inPlaceLengthChanged =
        "Another program changed the length of the file during the run. The file keeps all its bytes and its "
        "recovery journal is kept.";
    std::string inPlaceJournalNotRemoved = "The file is finished, but its recovery journal could not be removed:";
};

// The detail the user reads for a file that failed with `report`, in the
// words of `texts`; empty for Done (the caller's usual detail applies).
std::string InPlaceFailureText(const InPlaceReport& report, const InPlaceTexts& texts = {});

}  // namespace tarvoss
