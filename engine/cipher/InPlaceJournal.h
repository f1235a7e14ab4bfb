#pragma once
// The recovery journal of one in-place transform: a file in the user's state
// folder (journal/, mode 0700) named after the device and inode of the file
// it serves. It holds what is needed to finish the transform after a crash:
// the file's absolute path, device and inode, the direction, the layout, the
// window size, the file's permission bits from before the run, a key check,
// and the result of the last window or two (never the key, never plain bytes
// of a file being encrypted).
//
// Records go in turn into three slots, each with its window number and a
// checksum, so a record torn by a crash is told apart and the two before it
// are still whole. The record of window w is written only once every window
// before w - 1 is on disk in the file (window w - 1 may still be on its way
// there): finishing means writing the windows of the newest whole record and
// of the one before it again, and going on with the next.

#include "cipher/CipherState.h"
#include "cipher/JournalFormat.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
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

class InPlaceJournal {
public:
    // Creates the journal at `path` with room for records of a window of
    // `header.windowBytes` and its carried block, writes the header and makes
    // it and its name durable (file and folders flushed). A journal that
    // cannot be made whole is removed again.
    bool Create(const std::string& path, const JournalHeader& header);
    // Opens an existing journal and reads its header. Fails with BadData when
    // the header is not whole (a journal whose creation a crash cut short: the
    // file it serves was not changed yet), with the system's error when the
    // journal cannot be read.
    bool Open(const std::string& path, FileAccess access);
    const JournalHeader& Header() const { return header_; }

    // The newest whole record: its window and data. `found` is false when no
    // window was recorded yet.
    bool NewestRecord(bool& found, std::uint64_t& window, std::vector<std::uint8_t>& data);
    // The whole record of `window`; `found` false when its slot holds none.
    bool RecordOf(std::uint64_t window, bool& found, std::vector<std::uint8_t>& data);
    // Writes the record of `window` and flushes it to disk.
    bool WriteRecord(std::uint64_t window, const std::uint8_t* data, std::size_t length);
    // Closes and removes the journal, and flushes its folder.
    bool Remove();
    // Closes the journal and leaves it in place.
    void Close();

private:
    bool ReadSlot(int slot, bool& whole, std::uint64_t& window, std::vector<std::uint8_t>& data);

    std::string path_;
    FileRecord file_;
    JournalHeader header_;
    std::uint64_t headerBytes_ = 0;
    std::uint64_t slotBytes_ = 0;
};

}  // namespace tarvoss
