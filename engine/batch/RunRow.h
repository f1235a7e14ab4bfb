#pragma once
// One row of the file list as a run reads it: the item's name, its folder and
// its kind. The host hands out a fresh copy each time the run asks, so edits
// the user makes during a run take effect at once.

#include <string>

namespace tarvoss {

// What a listed row stands for: a single file, a folder with everything
// below it, or a whole disk ("/" or a mount point).
enum class RowKind { File, Folder, DiskRoot };

struct RunRow {
    std::string name;    // file or folder name; "[ Disk root ]" for a disk root
    std::string folder;  // the folder holding it, ending in "/"; for a disk root the root itself
    RowKind kind = RowKind::File;
};

}  // namespace tarvoss
