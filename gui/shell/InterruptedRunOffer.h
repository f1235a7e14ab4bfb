#pragma once
// At start, the window tells the user about in-place runs that were
// interrupted and offers what can be done: put the files that wait in the
// list, ready to be finished (in place, in the interrupted direction, so that
// only the key is left to enter), and drop the journals of files that are
// gone.

#include <QString>

#include "cipher/PendingJournals.h"

namespace tarvoss {

class TfrmMain;

// The words of the offer, in the current language (section "MainForm").
struct InterruptedRunWords {
    QString head;
    QString encryption;
    QString decryption;
    QString unreadableJournal;
    QString howToFinish;
    // "%action%" stands for the direction's noun.
    QString offer;
    QString gone;
    QString dropJournals;
    QString dropFailed;
};

// The built-in English words.
InterruptedRunWords EnglishInterruptedRunWords();

// Shows the notice for `runs` with its offers and carries out what the user
// accepts; nothing when no run was interrupted.
void OfferToFinishInterruptedRuns(TfrmMain& main, const InterruptedRuns& runs, const InterruptedRunWords& words);

}  // namespace tarvoss
