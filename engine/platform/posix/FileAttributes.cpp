#include "platform/FileAttributes.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/FileRecord.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {
namespace {
constexpr mode_t kPermissionBits = 07777;
}

bool FileAttributes::ReadOnly() const { return (bits & S_IWUSR) == 0; }

bool GetFileAttributes(const std::string& path, FileAttributes& attributes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FailWithErrno();
    attributes.bits = info.st_mode & kPermissionBits;
    return true;
}

bool SetFileAttributesNormal(const std::string& path) {
    FileAttributes current;
    if (!GetFileAttributes(path, current)) return false;
    if (!current.ReadOnly()) return true;
    if (::chmod(path.c_str(), current.bits | S_IWUSR) != 0) return FailWithErrno();
    return true;
}

bool SetEntryAttributesNormal(const std::string& path) {
    struct stat info {};
    if (::fstatat(AT_FDCWD, path.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return FailWithErrno();
    if (S_ISLNK(info.st_mode) || (info.st_mode & S_IWUSR) != 0) return true;
    // Should a link have taken the name since the look, it is refused
    // (EOPNOTSUPP) instead of followed.
    if (::fchmodat(AT_FDCWD, path.c_str(), (info.st_mode & kPermissionBits) | S_IWUSR, AT_SYMLINK_NOFOLLOW) != 0)
        return FailWithErrno();
    return true;
}

bool RestoreFileAttributes(const std::string& path, const FileAttributes& attributes) {
    if (::chmod(path.c_str(), attributes.bits) != 0) return FailWithErrno();
    return true;
}

bool CopyFileAttributes(const FileAttributes& source, const FileRecord& file) {
    if (::fchmod(FdOf(file.handle), source.bits) != 0) return FailWithErrno();
    return true;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FailWithErrno();
    return true;
}

bool EntryExists(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return FailWithErrno();
    return true;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FailWithErrno();
    return S_ISDIR(info.st_mode);
}

}  // namespace tarvoss
