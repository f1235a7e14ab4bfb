#pragma once
// The entries of one folder, read in one go and sorted by name, so that runs
// and their logs are the same every time. "." and ".." are left out. Links are
// reported as links and never followed here.

#include <cstdint>
#include <string>
#include <vector>

namespace tarvoss {

enum class EntryKind {
    File,     // a regular file
    Folder,   // a directory
    Link,     // a symbolic link, whatever it points to
    Special,  // FIFO, socket, device: never opened
};

struct DirectoryEntry {
    std::string name;
    EntryKind kind = EntryKind::Special;
    std::uint64_t device = 0;  // with `inode`, identifies the entry on disk
    std::uint64_t inode = 0;
};

// Lists `folder` (with or without a final "/"). False, with the last error
// set, when the folder cannot be read.
bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries);

}  // namespace tarvoss
