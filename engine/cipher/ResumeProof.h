#pragma once
// Before an interrupted transform is finished from its journal, the file must
// prove to be in a state the journal describes; a file that does not is not
// touched. Its device and inode (and its birth, where the file system keeps
// one) are checked by the caller; here its bytes:
//
// - Nothing recorded whole yet: nothing was written to the file, which still
//   has its first length.
// - Newest whole record n: every window before n - 1 is on disk, so the
//   finished part (the results of windows 0 .. n - 2, as they are in the
//   file) must give the checksum record n keeps of it. That reads the
//   finished part once, and only when a transform is finished after an
//   interruption; a run itself only adds each result's checksum, which it
//   computes for its record anyway.
// - Windows n - 1 and n may be anywhere between their form before and after
//   the write: each piece of 512 bytes (the disk's smallest unit, within
//   which nothing tears) must be wholly the one or the other. The form after
//   is the record; the form before is the record taken back through the
//   cipher (which needs the key: the journal keeps nothing plain of a file
//   being encrypted). Beyond the original length of a file being encrypted,
//   the form before is nothing (zeros, or no bytes yet).
// - A record of window n + 1 whose data is torn: that window never reached
//   the file, so computing it from the file must give the result whose
//   checksum the record's head keeps.
//
// What is not checked: the part not transformed yet beyond window n + 1
// (encryption keeps no checksum of plain bytes). A change there is read as
// it is and transformed, as a run started afresh on the changed file would.
// The one byte in front of a decryption window's result (the last byte of
// the block before, which the window overwrites) is not known from its
// record; the other bytes of its piece decide.

#include "cipher/CipherKey.h"
#include "cipher/JournalRecords.h"
#include "cipher/WindowPlan.h"
#include "platform/FileRecord.h"

#include <cstdint>
#include <functional>

namespace tarvoss {

// Computes `window`'s result from the file as the run does, giving its checksum.
using WindowChecksum = std::function<bool(const Window& window, std::uint64_t& outputChecksum)>;

// `matches` tells whether the file is in a state the journal describes;
// false with the last error when the file cannot be read.
bool FileIsAsJournalSays(const WindowPlan& plan, FileRecord& file, const ResumePoint& point, std::uint64_t seal,
                         std::uint32_t delta, const CipherKey& key, const WindowChecksum& computeFromFile,
                         bool& matches);

}  // namespace tarvoss
