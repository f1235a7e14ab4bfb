#pragma once
// Block sharing: a range of one file made part of another without writing
// its bytes again, where the file system keeps data in shared, copy-on-write
// blocks. The bytes are the same as if they had been written; a later change
// to either file leaves the other as it is.

#include <cstdint>

#include "platform/FileRecord.h"

namespace tarvoss {

// The unit block sharing works in: offsets and lengths are multiples of it.
inline constexpr std::uint64_t kCloneUnit = 4096;

// Makes the `length` bytes of `to` at `toOffset` those of `from` at
// `fromOffset`, sharing their blocks. `from` must be open for reading and
// `to` for writing; nothing is flushed. Fails with ErrorCondition::NotSupported
// where the two files cannot share blocks (another file system, one that
// cannot share, or blocks larger than the unit), and with the system's error
// otherwise; after a failure the range of `to` is to be written afresh.
bool CloneFileRange(FileRecord& from, std::uint64_t fromOffset, FileRecord& to, std::uint64_t toOffset,
                    std::uint64_t length);

}  // namespace tarvoss
