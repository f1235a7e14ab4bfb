#include "platform/FileAttributes.h"

#include "platform/FileRecord.h"
#include "platform/LastError.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

// The attributes a program may set on a file; the others belong to the system.
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

DWORD Settable(DWORD bits) {
    const DWORD kept = bits & kSettable;
    return kept == 0 ? FILE_ATTRIBUTE_NORMAL : kept;
}

bool AttributesOf(const std::string& path, DWORD& bits) {
    bits = ::GetFileAttributesW(SystemPathOf(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) return FailWithSystemError();
    return true;
}

bool SetAttributes(const std::string& path, DWORD bits) {
    if (!::SetFileAttributesW(SystemPathOf(path).c_str(), Settable(bits))) return FailWithSystemError();
    return true;
}

}  // namespace

bool FileAttributes::ReadOnly() const { return (bits & FILE_ATTRIBUTE_READONLY) != 0; }

bool GetFileAttributes(const std::string& path, FileAttributes& attributes) {
    // Through a link to what it names, as on POSIX.
    const HANDLE opened = ::CreateFileW(SystemPathOf(path).c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return FailWithSystemError();
    ObjectIdentity identity;
    const bool known = IdentityOfHandle(opened, identity);
    const DWORD code = ::GetLastError();
    ::CloseHandle(opened);
    if (!known) return FailWith(static_cast<int>(code));
    attributes.bits = identity.attributes;
    return true;
}

bool SetFileAttributesNormal(const std::string& path) {
    FileAttributes current;
    if (!GetFileAttributes(path, current)) return false;
    if (!current.ReadOnly()) return true;
    return SetAttributes(path, current.bits & ~FILE_ATTRIBUTE_READONLY);
}

// GetFileAttributesW and SetFileAttributesW act on a reparse point itself,
// never on what it names; a reparse point is left as it is.
bool SetEntryAttributesNormal(const std::string& path) {
    DWORD bits = 0;
    if (!AttributesOf(path, bits)) return false;
    if ((bits & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || (bits & FILE_ATTRIBUTE_READONLY) == 0) return true;
    return SetAttributes(path, bits & ~FILE_ATTRIBUTE_READONLY);
}

bool RestoreFileAttributes(const std::string& path, const FileAttributes& attributes) {
    return SetAttributes(path, attributes.bits);
}

bool CopyFileAttributes(const FileAttributes& source, const FileRecord& file) {
    FILE_BASIC_INFO info{};  // times left at 0: unchanged
    info.FileAttributes = Settable(source.bits);
    if (!::SetFileInformationByHandle(HandleOf(file.handle), FileBasicInfo, &info, sizeof info))
        return FailWithSystemError();
    return true;
}

bool PathExists(const std::string& path) {
    FileAttributes ignored;
    return GetFileAttributes(path, ignored);
}

bool EntryExists(const std::string& path) {
    DWORD bits = 0;
    return AttributesOf(path, bits);
}

bool IsDirectory(const std::string& path) {
    FileAttributes attributes;
    if (!GetFileAttributes(path, attributes)) return false;
    return (attributes.bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tarvoss
