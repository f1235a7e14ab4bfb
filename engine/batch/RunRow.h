#pragma once
// One row of the file list as a run reads it: one path and what it stands
// for. The host hands out a fresh copy each time the run asks, so edits the
// user makes during a run take effect at once. How the list shows a row (its
// name, "[ Disk root ]" for a whole disk, and its folder) is made where it is
// shown, from the path.

#include <string>

namespace tarvoss {

// What a listed row stands for: a single file, a folder with everything
// below it, or a whole disk (a drive root, "/" or a mount point).
enum class RowKind { File, Folder, DiskRoot };

struct RunRow {
    // The full path, as NormalisePath gives it: no final "/" except for a
    // root itself ("/", "C:/").
    std::string path;
    RowKind kind = RowKind::File;

    bool operator==(const RunRow&) const = default;
};

}  // namespace tarvoss
