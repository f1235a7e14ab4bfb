#pragma once
// One row of the file list: a file or a folder (a whole disk included) that a
// run will process, with the size and status the list shows beside it.

#include <string>

#include "batch/RunRow.h"

namespace tarvoss {

// The images of the list's image list.
inline constexpr int kFileIcon = 0;
inline constexpr int kEncryptedFileIcon = 1;  // drawn but not given to rows
inline constexpr int kFolderIcon = 2;

struct FileListRow : RunRow {
    std::string sizeText;  // " 1.50 MB" for a file, "-" for a folder
    std::string status;    // "Added"
};

// The list's name and path columns of a row: the item's name ("[ Disk root ]"
// for a whole disk) and the folder holding it, ending in the separator (for a
// whole disk the root itself), the folder in the system's own form.
struct RowColumns {
    std::string name;
    std::string folder;
};
RowColumns ColumnsOfRow(const RunRow& row);

// The image a row shows: a document for a file, a folder for a folder and
// for a whole disk.
inline int RowImage(RowKind kind) { return kind == RowKind::File ? kFileIcon : kFolderIcon; }

// The data word the list keeps with a row: 1 when it names a whole disk.
inline int RowDataWord(RowKind kind) { return kind == RowKind::DiskRoot ? 1 : 0; }

}  // namespace tarvoss
