// An open folder on Windows. Its entries are reached through the path the
// system reports for the open handle at that moment, which follows the folder
// wherever it is renamed or moved; each entry is opened without following a
// reparse point and checked against what the listing saw (volume serial
// number and file index), so a name swapped meanwhile is never followed. The
// handle lets others delete, so that a walk can remove the folders it emptied.

#include "platform/FolderHandle.h"

#include <utility>

#include "platform/FileSteps.h"
#include "platform/LastError.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

constexpr DWORD kFolderSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE OpenFolderAt(const std::wstring& path, bool followLink) {
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!followLink) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    return ::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, kFolderSharing,
                         nullptr, OPEN_EXISTING, flags, nullptr);
}

// Closes `handle` and fails with `code`.
bool Refuse(HANDLE handle, int code) {
    ::CloseHandle(handle);
    return FailWith(code);
}

// Checks that the object opened in a listed entry's place is a folder, no
// reparse point, and the one listed (when `entry` is given).
bool CheckFolder(HANDLE handle, const DirectoryEntry* entry) {
    ObjectIdentity identity;
    if (!IdentityOfHandle(handle, identity)) return Refuse(handle, static_cast<int>(::GetLastError()));
    if ((identity.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return Refuse(handle, ErrorCode(ErrorCondition::Loop));
    if ((identity.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return Refuse(handle, ErrorCode(ErrorCondition::NotFolder));
    if (entry != nullptr && (identity.volume != entry->device || identity.index != entry->inode))
        return Refuse(handle, kEntryChanged);
    return true;
}

}  // namespace

FolderHandle::~FolderHandle() {
    if (handle_ != kNoHandle) ::CloseHandle(HandleOf(handle_));
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (handle_ != kNoHandle) ::CloseHandle(HandleOf(handle_));
        handle_ = std::exchange(other.handle_, kNoHandle);
    }
    return *this;
}

bool FolderHandle::Open(const std::string& path) {
    // "" is the root of the current drive, as "" is "/" on POSIX.
    const HANDLE opened = OpenFolderAt(SystemPathOf(path.empty() ? std::string("/") : path), true);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    if (!CheckFolder(opened, nullptr)) return false;
    *this = FolderHandle(NativeOf(opened));
    return true;
}

bool FolderHandle::OpenChild(const DirectoryEntry& entry, FolderHandle& child) const {
    const HANDLE opened = OpenFolderAt(SystemPathOf(PinnedPath() + entry.name), false);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    if (!CheckFolder(opened, &entry)) return false;
    child = FolderHandle(NativeOf(opened));
    return true;
}

bool FolderHandle::OpenOrMakeChild(const std::string& name, FolderHandle& child) const {
    const std::wstring path = SystemPathOf(PinnedPath() + name);
    if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return FailWithSystemError();
    const HANDLE opened = OpenFolderAt(path, false);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    if (!CheckFolder(opened, nullptr)) return false;
    child = FolderHandle(NativeOf(opened));
    return true;
}

std::string FolderHandle::PinnedPath() const {
    std::string path;
    if (!CurrentPathOf(HandleOf(handle_), path)) return {};
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool FolderHandle::List(std::vector<DirectoryEntry>& entries) const {
    std::string path;
    if (!CurrentPathOf(HandleOf(handle_), path)) return FailWithSystemError();
    return ListFolder(SystemPathOf(path), entries);
}

bool FolderHandle::OpenFile(const DirectoryEntry& entry, FileAccess access, FileRecord& file) const {
    const bool writing = access == FileAccess::ReadWrite;
    const DWORD desired = writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const DWORD sharing = FILE_SHARE_DELETE | FILE_SHARE_READ | (writing ? 0 : FILE_SHARE_WRITE);
    const HANDLE opened = ::CreateFileW(SystemPathOf(PinnedPath() + entry.name).c_str(), desired, sharing, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    ObjectIdentity identity;
    if (!IdentityOfHandle(opened, identity)) return Refuse(opened, static_cast<int>(::GetLastError()));
    const bool isFile = ::GetFileType(opened) == FILE_TYPE_DISK &&
                        (identity.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
    if (!isFile || identity.volume != entry.device || identity.index != entry.inode)
        return Refuse(opened, kEntryChanged);
    if (file.isOpen) file.Close();
    file.access = access;
    file.showErrors = false;
    file.handle = NativeOf(opened);
    file.isOpen = true;
    return true;
}

bool FolderHandle::Identify(const std::string& name, DirectoryEntry& entry) const {
    const HANDLE opened = OpenForLooking(SystemPathOf(PinnedPath() + name));
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    ObjectIdentity identity;
    const bool known = IdentityOfHandle(opened, identity);
    const DWORD code = ::GetLastError();
    ::CloseHandle(opened);
    if (!known) return FailWith(static_cast<int>(code));
    entry.name = name;
    entry.kind = KindOfAttributes(identity.attributes);
    entry.device = identity.volume;
    entry.inode = identity.index;
    return true;
}

// DeleteFileW and RemoveDirectoryW remove a reparse point itself, never what
// it points to.
bool FolderHandle::RemoveFile(const std::string& name) const { return DeleteEntry(SystemPathOf(PinnedPath() + name)); }

bool FolderHandle::RemoveFolder(const std::string& name) const {
    if (!::RemoveDirectoryW(SystemPathOf(PinnedPath() + name).c_str())) return FailWithSystemError();
    return true;
}

bool FolderHandle::Device(std::uint64_t& device) const {
    ObjectIdentity identity;
    if (!IdentityOfHandle(HandleOf(handle_), identity)) return FailWithSystemError();
    device = identity.volume;
    return true;
}

bool FolderHandle::Rename(const std::string& from, const std::string& to) const {
    if (!PassFileStep({.step = FileStep::Rename, .path = &from, .target = &to})) return false;
    const std::string folder = PinnedPath();
    if (!::MoveFileExW(SystemPathOf(folder + from).c_str(), SystemPathOf(folder + to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FailWithSystemError();
    return true;
}

}  // namespace tarvoss
