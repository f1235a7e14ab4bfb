#pragma once
// One row of the file list as a run reads it: the item's name, its folder and
// the two fields that tell its kind. The host hands out a fresh copy each time
// the run asks, so edits the user makes during a run take effect at once.

#include <string>

namespace tarvoss {

// The images a row shows: a document, or a folder (disk roots included).
inline constexpr int kFileRowIcon = 0;
inline constexpr int kFolderRowIcon = 2;

struct RunRow {
    std::string name;    // file or folder name; "[ Disk root ]" for a disk root
    std::string folder;  // the folder holding it, ending in "/"; for a disk root the root itself
    int icon = 0;        // 0 a file; any other value a folder (disk roots included)
    int diskRoot = 0;    // 1 for a disk root
};

enum class RowKind { File, Folder, DiskRoot };

inline RowKind KindOf(const RunRow& row) {
    if (row.icon == 0) return RowKind::File;
    return row.diskRoot == 1 ? RowKind::DiskRoot : RowKind::Folder;
}

}  // namespace tarvoss
