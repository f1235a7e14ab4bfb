#pragma once
// Why an in-place transform did not end in "OK", beyond the system's error:
// what became of the file and its journal, for the message the user reads.
// Set by EncryptFileInPlace / DecryptFileInPlace for the calling thread.

#include "cipher/FileTransforms.h"

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

InPlaceReport& LastInPlaceReport();

// The detail the user reads for a file that failed with `report`; empty for
// Done (the caller's usual detail applies) and for the outcomes whose texts
// the language file gives (JournalDamaged, FileChanged, LengthChanged,
// JournalNotRemoved: see batch/InPlaceItem.h).
std::string InPlaceFailureText(const InPlaceReport& report);

}  // namespace tarvoss
