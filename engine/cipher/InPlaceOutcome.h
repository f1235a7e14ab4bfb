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
    JournalUnreadable,  // a pending journal cannot be read or does not fit the file; nothing changed
    WrongKey,           // a pending transform ran under another key; nothing changed
    FinishedOtherWay,   // a pending transform of the other direction was finished instead
    Unfinished,         // stopped in the middle; the journal is kept for finishing it
};

struct InPlaceReport {
    InPlaceOutcome outcome = InPlaceOutcome::Done;
    Direction pending = Direction::Encrypt;  // the journal's direction (WrongKey, FinishedOtherWay)
    int code = 0;                            // the system's error, where one was met
};

InPlaceReport& LastInPlaceReport();

// The detail the user reads for a file that failed with `report`; empty for
// Done (the caller's usual detail applies).
std::string InPlaceFailureText(const InPlaceReport& report);

}  // namespace tarvoss
