#include "platform/FileSystem.h"

#include <vector>

#include "platform/FileSteps.h"
#include "platform/LastError.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

// Opens `path` to look at it, following a reparse point when asked.
HANDLE OpenToLook(const std::wstring& path, bool followLink) {
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!followLink) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, flags, nullptr);
}

// The path a handle reaches, as the system gives it ("\\?\C:\...").
bool FinalPathOf(HANDLE handle, std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return false;
        if (length < buffer.size()) {
            path.assign(buffer.data(), length);
            return true;
        }
        buffer.resize(length + 1);
    }
}

}  // namespace

HANDLE OpenForLooking(const std::wstring& path) { return OpenToLook(path, false); }

bool IdentityOfHandle(HANDLE handle, ObjectIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.attributes = info.dwFileAttributes;
    return true;
}

bool CurrentPathOf(HANDLE handle, std::string& path) {
    std::wstring wide;
    if (!FinalPathOf(handle, wide)) return FailWithSystemError();
    path = EnginePathOfSystem(wide);
    return true;
}

bool DeleteEntry(const std::wstring& path) {
    if (::DeleteFileW(path.c_str())) return true;
    const DWORD code = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (code != ERROR_ACCESS_DENIED || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_READONLY) == 0 ||
        !::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return FailWith(static_cast<int>(code));
    if (::DeleteFileW(path.c_str())) return true;
    // Still not removable: it keeps its attribute.
    const DWORD again = ::GetLastError();
    ::SetFileAttributesW(path.c_str(), attributes);
    return FailWith(static_cast<int>(again));
}

bool DeleteFile(const std::string& path) {
    if (!PassFileStep({.step = FileStep::Remove, .path = &path})) return false;
    return DeleteEntry(SystemPathOf(path));
}

// Replaces the target in one step, and returns only when the new name is
// on the disk.
bool RenameFile(const std::string& from, const std::string& to) {
    if (!PassFileStep({.step = FileStep::Rename, .path = &from, .target = &to})) return false;
    if (!::MoveFileExW(SystemPathOf(from).c_str(), SystemPathOf(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return FailWithSystemError();
    return true;
}

bool CreateDirectory(const std::string& path) {
    if (!::CreateDirectoryW(SystemPathOf(path).c_str(), nullptr)) return FailWithSystemError();
    return true;
}

bool RemoveDirectory(const std::string& path) {
    if (!::RemoveDirectoryW(SystemPathOf(path).c_str())) return FailWithSystemError();
    return true;
}

bool PathIsTaken(const std::string& path) {
    return ::GetFileAttributesW(SystemPathOf(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A folder's entries cannot be flushed on their own on Windows: NTFS logs
// every change of names, and each rename here is written through
// (MOVEFILE_WRITE_THROUGH). The step still passes the seam, so that tests
// see the order of a run's steps as on Linux.
bool SyncDirectory(const std::string& path) { return PassFileStep({.step = FileStep::SyncFolder, .path = &path}); }

bool GetFileIdentity(const std::string& path, FileIdentity& identity) {
    const HANDLE opened = OpenToLook(SystemPathOf(path), true);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    ObjectIdentity object;
    const bool known = IdentityOfHandle(opened, object);
    const DWORD code = ::GetLastError();
    ::CloseHandle(opened);
    if (!known) return FailWith(static_cast<int>(code));
    identity = {object.volume, object.index};
    return true;
}

bool GetFileSize(const std::string& path, std::uint64_t& length) {
    const HANDLE opened = OpenToLook(SystemPathOf(path), true);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    LARGE_INTEGER size{};
    const bool known = ::GetFileSizeEx(opened, &size);
    const DWORD code = ::GetLastError();
    ::CloseHandle(opened);
    if (!known) return FailWith(static_cast<int>(code));
    length = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    FileIdentity first, second;
    return GetFileIdentity(a, first) && GetFileIdentity(b, second) && first == second;
}

bool SetCurrentDirectory(const std::string& path) {
    // The current folder takes no "\\?\" path: the plain full path.
    const std::string full = EnginePathOfSystem(SystemPathOf(path));
    std::wstring wide = WideOf(full);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (!::SetCurrentDirectoryW(wide.c_str())) return FailWithSystemError();
    return true;
}

std::string ResolvedPath(const std::string& path) {
    const HANDLE opened = OpenToLook(SystemPathOf(path), true);
    if (opened != INVALID_HANDLE_VALUE) {
        std::string resolved;
        const bool known = CurrentPathOf(opened, resolved);
        ::CloseHandle(opened);
        if (known) return resolved;
    }
    return EnginePathOfSystem(SystemPathOf(path));
}

std::string GetCurrentDirectory() {
    const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) {
        FailWithSystemError();
        return {};
    }
    std::string path = EnginePathOfSystem(std::wstring_view(buffer.data(), length));
    // "C:/" is the root; any other folder comes without its final "/".
    if (path.size() > 3 && path.back() == '/') path.pop_back();
    return path;
}

std::string ProgramPath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            FailWithSystemError();
            return {};
        }
        if (length < buffer.size()) return EnginePathOfSystem(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder() { return FolderOfPath(ProgramPath()); }

}  // namespace tarvoss
