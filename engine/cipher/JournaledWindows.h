#pragma once
// The windows of one in-place transform, each through the recovery journal:
// the window's result (and the block it carries on) is computed from the
// file, written into the journal and flushed; only then is it written over
// the file and the file flushed. So at any instant the newest whole record
// in the journal holds a window whose predecessors are all on disk, and
// writing it again and going on finishes the transform exactly.

#include "cipher/InPlaceJournal.h"
#include "cipher/WindowPlan.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvoss {

class JournaledWindows {
public:
    JournaledWindows(const WindowPlan& plan, FileRecord& file, InPlaceJournal& journal, CipherState& state,
                     const CipherKey& key);

    // Takes the memory of a window. Fails with ENOMEM.
    bool Prepare();
    // Runs every window from the first.
    bool RunAll();
    // Writes the window of the journal's newest record again and runs the
    // windows after it; runs all when the journal has no record yet.
    bool Resume();

    // Whether the file was written to (false: a failure left it untouched).
    bool FileWritten() const { return fileWritten_; }
    // Whether the failure was in writing the journal.
    bool JournalFailed() const { return journalFailed_; }

private:
    bool RunFrom(std::uint64_t first);
    bool Compute(const Window& window);
    bool WriteOut(const Window& window, const std::uint8_t* result);

    const WindowPlan& plan_;
    FileRecord& file_;
    InPlaceJournal& journal_;
    CipherState& state_;
    const CipherKey& key_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::vector<std::uint8_t> carry_;
    bool fileWritten_ = false;
    bool journalFailed_ = false;
};

}  // namespace tarvoss
