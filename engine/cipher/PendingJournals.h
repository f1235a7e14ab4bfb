#pragma once
// The in-place transforms that are waiting to be finished: one per journal in
// the user's journal folder. Reading them needs no key and changes nothing.

#include "cipher/InPlaceJournal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvoss {

enum class JournalState {
    Pending,       // whole: its file waits to be finished
    Damaged,       // fails a check or cannot be read (`error`): kept, its file left alone
    NeverStarted,  // a creation cut short, before the first change of its file: of no use
};

struct PendingJournal {
    std::string journalPath;
    JournalState state = JournalState::Damaged;
    int error = 0;                  // Damaged: the system's error reading it, or EILSEQ for a failed check
    JournalHeader header;           // Pending only
    std::uint64_t windowsDone = 0;  // windows known to be on disk in the file
    std::uint64_t windowCount = 1;

    // How far the transform got, 0 to 100.
    unsigned Percent() const;
};

// Every journal in the journal folder, in name order; empty when there is
// no folder. A journal that a run is making at this moment is left out.
std::vector<PendingJournal> ListPendingJournals();

// What the window tells the user at start about `pending`: the files left
// partly transformed and how they get finished. Empty when nothing waits.
std::string PendingJournalsNotice(const std::vector<PendingJournal>& pending);

// Drops the journal at `journalPath` for a file the user has dealt with, or a
// creation cut short: the journal is removed and its folder flushed; the file
// it served is not touched. False with the system's error when it cannot be
// removed.
bool DiscardJournal(const std::string& journalPath);

}  // namespace tarvoss
