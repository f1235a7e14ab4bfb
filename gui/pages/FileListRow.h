#pragma once
// One row of the file list: a file or a folder (a whole disk included) that a
// run will process.

#include <string>

namespace tarvoss {

// The images of the list's image list.
inline constexpr int kFileIcon = 0;
inline constexpr int kEncryptedFileIcon = 1;  // drawn but not given to rows
inline constexpr int kFolderIcon = 2;

struct FileListRow {
    std::string name;      // text after the last "/"; "[ Disk root ]" for a disk root
    std::string folder;    // text up to and including the last "/"
    std::string sizeText;  // " 1.50 MB" for a file, "-" for a folder
    std::string status;    // "Added"
    int icon = kFileIcon;  // kFileIcon or kFolderIcon
    int diskRoot = 0;      // 1 when the row names a whole disk
};

}  // namespace tarvoss
