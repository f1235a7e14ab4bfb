#pragma once
// The in-place transforms that are waiting to be finished: one per journal in
// the user's journal folder. Reading them needs no key and changes nothing.

#include "cipher/FileTransforms.h"
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

// The interrupted runs as the user deals with them: files that wait at their
// path, files whose journal outlived them (nothing is at their path any
// more), and journals that cannot be read.
struct InterruptedFile {
    std::string path;
    std::string journalPath;
    Direction direction = Direction::Encrypt;
    unsigned percent = 0;
};
struct InterruptedRuns {
    std::vector<InterruptedFile> waiting;
    std::vector<InterruptedFile> gone;
    std::vector<std::string> unreadableJournals;

    bool empty() const { return waiting.empty() && gone.empty() && unreadableJournals.empty(); }
};
InterruptedRuns SortInterruptedRuns(const std::vector<PendingJournal>& pending);

// The words of the start notice; the window replaces them by the language's.
struct InterruptedRunTexts {
    std::string head = "An in-place run was interrupted and left these files partly transformed:";
    std::string encryption = "encryption";
    std::string decryption = "decryption";
    std::string unreadableJournal = "A damaged journal, whose file is left alone:";
    std::string howToFinish =
        "To finish a file, run it again in place (\"Encrypt/decrypt files\"), in the direction shown, with the "
        "same key type, key length and key. Any later run that reaches the file finishes it first, and so does "
        "\"tarvoss-cli recover\".";
};

// What the window tells the user at start: the files left partly
// transformed, the journals that cannot be read, and how the files get
// finished. Empty when neither waits.
std::string PendingJournalsNotice(const InterruptedRuns& runs, const InterruptedRunTexts& texts = {});

// Drops the journal at `journalPath` for a file the user has dealt with, or a
// creation cut short: the journal is removed and its folder flushed; the file
// it served is not touched. False with the system's error when it cannot be
// removed.
bool DiscardJournal(const std::string& journalPath);

}  // namespace tarvoss
