#pragma once
// An open folder of a walk. Its entries are listed, opened and removed
// relative to the open handle, never by a path name, and each is checked
// against what the listing saw: a name that is swapped for a link, or for
// another object, after the listing is never followed out of the tree.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/DirectorySearch.h"
#include "platform/ErrorCondition.h"
#include "platform/FileRecord.h"
#include "platform/NativeHandle.h"

namespace tarvoss {

// The last error of an entry that is no longer the object the listing saw.
inline const int kEntryChanged = ErrorCode(ErrorCondition::NotFound);

class FolderHandle {
public:
    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // Opens the folder at `path` ("" for "/"). The folder of a list row is
    // taken as the user named it, so a link there is followed.
    bool Open(const std::string& path);
    // Opens the sub-folder `entry`: never through a link, and only while it is
    // still the folder that was listed.
    bool OpenChild(const DirectoryEntry& entry, FolderHandle& child) const;
    // Opens the sub-folder `name`, making it first when it is missing; a link
    // in its place is refused (ErrorCondition::Loop or NotFolder), never followed.
    bool OpenOrMakeChild(const std::string& name, FolderHandle& child) const;
    // A path that reaches this very folder whatever happens to its name
    // meanwhile ("/proc/self/fd/N/"; on Windows the folder's path as the
    // system tracks it for the open handle), for code that takes paths.
    std::string PinnedPath() const;
    // The entries, sorted by name (see ListDirectory).
    bool List(std::vector<DirectoryEntry>& entries) const;
    // Opens the regular file `entry` into `file`: never through a link, never
    // a FIFO or device, and only while it is still the file that was listed.
    // Writing is refused (ErrorCondition::AccessDenied) while the file is read-only.
    bool OpenFile(const DirectoryEntry& entry, FileAccess access, FileRecord& file) const;
    // The identity of `name` as it is now, without following a link.
    bool Identify(const std::string& name, DirectoryEntry& entry) const;
    // Remove the name itself: a link in its place is removed, never followed.
    bool RemoveFile(const std::string& name) const;
    bool RemoveFolder(const std::string& name) const;
    // Renames the entry `from` to `to` in this folder, replacing what `to` names.
    bool Rename(const std::string& from, const std::string& to) const;

    // The device of the file system that holds the folder.
    bool Device(std::uint64_t& device) const;

    NativeHandle Native() const { return handle_; }
    bool IsOpen() const { return handle_ != kNoHandle; }

private:
    explicit FolderHandle(NativeHandle handle) : handle_(handle) {}
    NativeHandle handle_ = kNoHandle;
};

}  // namespace tarvoss
