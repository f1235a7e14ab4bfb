#pragma once
// Puts a window's result, already on disk in its journal record, over the
// file. Where the file system can share blocks between the journal and the
// file, the whole pages of the result are taken from the record's blocks
// instead of being written a second time, and only the parts of a page at
// either end are written. Whether it can is found out once, on the first
// window with a whole page; after any failure to share, every window is
// written as bytes, as on any other file system.

#include "cipher/InPlaceJournal.h"
#include "cipher/WindowPlan.h"
#include "platform/FileRecord.h"

#include <cstdint>

namespace tarvoss {

class WindowWriter {
public:
    WindowWriter(FileRecord& file, InPlaceJournal& journal) : file_(file), journal_(journal) {}

    // Writes the result of `window` and flushes the file. Not to be called
    // for two windows at once.
    bool Write(const Window& window, const std::uint8_t* result);

private:
    FileRecord& file_;
    InPlaceJournal& journal_;
    bool mayShare_ = true;
};

}  // namespace tarvoss
