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
// s + 1 finishes the transform exactly. Each record also keeps the checksum
// of the results of every window before the one preceding it, so that a
// file can prove to be the one the journal serves (see ResumeProof.h).

#include "cipher/FileProgress.h"
#include "cipher/InPlaceJournal.h"
#include "cipher/WindowPlan.h"
#include "cipher/WindowWriter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace tarvoss {

class JournaledWindows {
public:
    JournaledWindows(const WindowPlan& plan, FileRecord& file, InPlaceJournal& journal, FileProgress& progress,
                     const CipherKey& key);

    // Takes the memory of two windows. Fails with OutOfMemory.
    bool Prepare();
    // Called once, before the first write to the file; a failure stops the
    // run with the file untouched.
    void BeforeFirstWrite(std::function<bool()> step) { beforeFirstWrite_ = std::move(step); }
    // Runs every window from the first.
    bool RunAll();
    // Writes the windows of the journal's two newest records again and runs
    // the windows after them; runs all when the journal has no record yet.
    // The file must have proved to be as the journal says first.
    bool Resume(const ResumePoint& point);
    // Computes `window` from the file as the run would after `point`,
    // without writing anything: the checksum of its result.
    bool ChecksumFromFile(const Window& window, const ResumePoint& point, std::uint64_t& outputChecksum);

    // Whether the file was written to (false: a failure left it untouched).
    bool FileWritten() const { return fileWritten_; }
    // Whether the failure was in writing the journal.
    bool JournalFailed() const { return journalFailed_; }

private:
    bool RunFrom(std::uint64_t first);
    // The window's result and carried block into `buffer`, from the file and
    // the block carried from the window before.
    bool Compute(const Window& window, std::uint8_t* buffer);
    bool ComputeAndRecord(const Window& window, std::uint8_t* buffer);
    bool WriteOut(const Window& window, const std::uint8_t* result);
    void Encipher(std::uint8_t* blocks, std::size_t count);
    // Writes a window again from its record; keeps its carried block.
    bool Redo(std::uint64_t index, const std::vector<std::uint8_t>& record);
    // The block carried on by `index`, from its record.
    void CarryFrom(std::uint64_t index, const std::vector<std::uint8_t>& record);

    const WindowPlan& plan_;
    FileRecord& file_;
    InPlaceJournal& journal_;
    FileProgress& progress_;
    const CipherKey& key_;
    WindowWriter writer_;
    std::unique_ptr<std::uint8_t[]> buffers_[2];
    std::vector<std::uint8_t> carry_;
    std::function<bool()> beforeFirstWrite_;
    // The finished part's checksum up to the window before the last two
    // recorded, and the result checksums of those two (oldest first).
    std::uint64_t finished_ = 0;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> recent_;
    bool fileWritten_ = false;
    bool journalFailed_ = false;
};

}  // namespace tarvoss
