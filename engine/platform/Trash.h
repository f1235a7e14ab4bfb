#pragma once
// The user's trash, as desktop file managers share it: a trashed file lies in
// TRASH/files/NAME and TRASH/info/NAME.trashinfo records where it came from
// and when, so that a file manager can put it back. TRASH is the home trash
// ($XDG_DATA_HOME/Trash, by default ~/.local/share/Trash) for files on the
// same file system, otherwise, at the top of the file's own file system,
// TOPDIR/.Trash/UID when the administrator provided a shared TOPDIR/.Trash,
// or TOPDIR/.Trash-UID. Files are only ever renamed into a trash, never
// copied; where none can take a file, nothing is changed. On Windows the
// trash is the Recycle Bin of the file's drive.

#include <ctime>
#include <string>

namespace tarvoss {

class FolderHandle;

enum class TrashOutcome {
    Trashed,  // the file is in the trash, with its information file
    NoTrash,  // no trash can take it on its file system: nothing was changed
    Failed,   // a trash was there but the move failed (last error set); nothing was changed
};

// Moves the file `name` of the open folder `folder` into the trash. `path` is
// the file's full path (folder path + name), recorded for restoring; a
// relative one is taken from the current folder.
TrashOutcome MoveToTrash(const FolderHandle& folder, const std::string& name, const std::string& path);

// The information file's text for a file trashed from `recordedPath` at `when`.
std::string TrashInfoText(const std::string& recordedPath, std::time_t when);

}  // namespace tarvoss
