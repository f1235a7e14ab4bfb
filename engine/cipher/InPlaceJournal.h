#pragma once
// The recovery journal of one in-place transform: a file in the user's state
// folder (journal/, mode 0700) named after the device and inode of the file
// it serves. It holds what is needed to finish the transform after a crash:
// the file's absolute path, device and inode, the direction, the layout, the
// window size, the file's permission bits from before the run, a key check,
// and the result of the last window or two (never the key, never plain bytes
// of a file being encrypted).
//
// A record's result lies in the journal at the same place within its pages as
// in the file, so that where the file system can share blocks the whole pages
// of it go into the file without being written a second time.
//
// Records go in turn into three slots, each with its window number and
// checksums, so a record torn by a crash is told apart and the two before it
// are still whole. The record of window w is written only once every window
// before w - 1 is on disk in the file (window w - 1 may still be on its way
// there): finishing means writing the windows of the newest whole record and
// of the one before it again, and going on with the next (see JournalRecords.h
// for what the slots may hold, ResumeProof.h for what the file must hold).
//
// A journal is made whole under a name of its own (".new" added) and only
// then takes its name: a journal under its name was whole once, so one that
// fails a check is damaged, never a creation cut short. A ".new" journal
// provably never got as far as the first change of its file.

#include "cipher/CipherKey.h"
#include "cipher/JournalFormat.h"
#include "cipher/JournalRecords.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

// Fills `salt` with random bytes and `keyCheck` for `key`.
void MakeKeyCheck(JournalHeader& header, std::uint32_t delta, const CipherKey& key);
// True when `key` is the key the journal's transform ran with.
bool KeyMatches(const JournalHeader& header, std::uint32_t delta, const CipherKey& key);

// The folder of the journals ($XDG_STATE_HOME/tarvoss/journal); empty when
// no home folder is known.
std::string JournalFolder();
// The journal's path for the file `identity`.
std::string JournalPathFor(const FileIdentity& identity);
// Where the journal at `journalPath` is made before it takes its name.
std::string JournalCreationPath(const std::string& journalPath);
inline constexpr std::string_view kJournalCreationSuffix = ".new";

class InPlaceJournal {
public:
    // Creates the journal at `path` with room for records of a window of
    // `header.windowBytes` and its carried block, writes the header and makes
    // it and its name durable (file and folders flushed). A journal that
    // cannot be made whole is removed again.
    bool Create(const std::string& path, const JournalHeader& header);
    // Opens an existing journal and reads its header. Fails with EILSEQ when
    // the journal is damaged: a header that is not whole or of another
    // version, a length other than the one it was made with, a link in its
    // place, another owner or another name; with the system's error when it
    // cannot be read.
    bool Open(const std::string& path, FileAccess access);
    const JournalHeader& Header() const { return header_; }
    std::uint64_t Seal() const { return seal_; }

    // Where the transform stands by the records (see JournalRecords.h);
    // `intact` false when the slots hold what no run leaves.
    bool FindResumePoint(const WindowPlan& plan, ResumePoint& point, bool& intact);
    // Writes the record of `window` (its result, then the carried block) and
    // flushes it to disk; `fileOffset` is where the result goes in the file.
    bool WriteRecord(const RecordHead& head, std::uint64_t fileOffset, const std::uint8_t* data);
    // Makes the `length` bytes of `file` at `fileOffset`, within the result
    // of `window`, share the blocks of its record (see CloneRange.h). The
    // record must be on disk; `fileOffset` and `length` whole units.
    bool ShareInto(FileRecord& file, const Window& window, std::uint64_t fileOffset, std::uint64_t length);
    // Closes and removes the journal, and flushes its folder.
    bool Remove();
    // Closes the journal and leaves it in place.
    void Close();

private:
    bool ReadSlot(int slot, const WindowPlan& plan, SlotContent& content);
    // Where the data of the record of `window` starts in the journal: as far
    // into a page as `fileOffset`, where its result goes, is into the file's.
    std::uint64_t DataOffset(std::uint64_t window, std::uint64_t fileOffset) const;

    std::string path_;
    FileRecord file_;
    JournalHeader header_;
    std::uint64_t seal_ = 0;
    std::uint64_t headerBytes_ = 0;
    std::uint64_t slotBytes_ = 0;
};

}  // namespace tarvoss
