#pragma once
// The windows of one in-place transform, each through the recovery journal:
// the window's result (and the block it carries on) is computed from the
// file, written into the journal and flushed; only then is it written over
// the file and the file flushed.
//
// Two windows are in flight at once: while window w is written into the
// file and flushed (on a second thread), window w + 1 is computed and its
// record written into the journal and flushed. The two never touch the same
// bytes of the file: window w + 1 reads only past what window w writes. The
// record of w + 1 is begun only once window w - 1 is on disk, so at any
// instant the newest whole record s has every window before s - 1 on disk,
// and writing windows s - 1 and s again from the journal and going on with
// s + 1 finishes the transform exactly.

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

    // Takes the memory of two windows. Fails with OutOfMemory.
    bool Prepare();
    // Runs every window from the first.
    bool RunAll();
    // Writes the windows of the journal's two newest records again and runs
    // the windows after them; runs all when the journal has no record yet.
    bool Resume();

    // Whether the file was written to (false: a failure left it untouched).
    bool FileWritten() const { return fileWritten_; }
    // Whether the failure was in writing the journal.
    bool JournalFailed() const { return journalFailed_; }

private:
    bool RunFrom(std::uint64_t first);
    bool ComputeAndRecord(const Window& window, std::uint8_t* buffer);
    bool WriteOut(const Window& window, const std::uint8_t* result);
    void Encipher(std::uint8_t* blocks, std::size_t count);
    // Writes a window again from its record; keeps its carried block.
    bool Redo(std::uint64_t index, const std::vector<std::uint8_t>& record);

    const WindowPlan& plan_;
    FileRecord& file_;
    InPlaceJournal& journal_;
    CipherState& state_;
    const CipherKey& key_;
    std::unique_ptr<std::uint8_t[]> buffers_[2];
    std::vector<std::uint8_t> carry_;
    bool fileWritten_ = false;
    bool journalFailed_ = false;
};

}  // namespace tarvoss
