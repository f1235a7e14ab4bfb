#include "platform/FolderHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/FileSteps.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {
namespace {

bool SameObject(const struct stat& info, const DirectoryEntry& entry) {
    return static_cast<std::uint64_t>(info.st_dev) == entry.device &&
           static_cast<std::uint64_t>(info.st_ino) == entry.inode;
}

// Closes `fd` and fails with `code`.
bool Refuse(int fd, int code) {
    ::close(fd);
    return FailWith(code);
}

}  // namespace

FolderHandle::~FolderHandle() {
    if (handle_ >= 0) ::close(FdOf(handle_));
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept : handle_(std::exchange(other.handle_, kNoHandle)) {}

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept {
    if (this != &other) {
        if (handle_ >= 0) ::close(FdOf(handle_));
        handle_ = std::exchange(other.handle_, kNoHandle);
    }
    return *this;
}

bool FolderHandle::Open(const std::string& path) {
    const int fd = ::open(path.empty() ? "/" : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FailWithErrno();
    *this = FolderHandle(fd);
    return true;
}

bool FolderHandle::OpenChild(const DirectoryEntry& entry, FolderHandle& child) const {
    // O_NOFOLLOW: a link in the folder's place fails (ELOOP or ENOTDIR) instead
    // of leading elsewhere.
    const int fd =
        ::openat(FdOf(handle_), entry.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FailWithErrno();
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Refuse(fd, errno);
    if (!SameObject(info, entry)) return Refuse(fd, kEntryChanged);
    child = FolderHandle(fd);
    return true;
}

bool FolderHandle::OpenOrMakeChild(const std::string& name, FolderHandle& child) const {
    if (::mkdirat(FdOf(handle_), name.c_str(), 0777) != 0 && errno != EEXIST) return FailWithErrno();
    const int fd = ::openat(FdOf(handle_), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FailWithErrno();
    child = FolderHandle(fd);
    return true;
}

std::string FolderHandle::PinnedPath() const { return "/proc/self/fd/" + std::to_string(handle_) + "/"; }

bool FolderHandle::List(std::vector<DirectoryEntry>& entries) const { return ListDirectoryAt(FdOf(handle_), entries); }

bool FolderHandle::OpenFile(const DirectoryEntry& entry, FileAccess access, FileRecord& file) const {
    const bool writing = access == FileAccess::ReadWrite;
    // O_NONBLOCK: should a FIFO have taken the name, opening it does not wait.
    const int fd = ::openat(FdOf(handle_), entry.name.c_str(),
                            (writing ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FailWithErrno();
    struct stat info {};
    if (::fstat(fd, &info) != 0) return Refuse(fd, errno);
    if (!S_ISREG(info.st_mode) || !SameObject(info, entry)) return Refuse(fd, kEntryChanged);
    // The read-only attribute holds for root too.
    if (writing && (info.st_mode & S_IWUSR) == 0) return Refuse(fd, EACCES);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return Refuse(fd, errno);
    if (file.isOpen) file.Close();
    file.access = access;
    file.showErrors = false;
    file.handle = fd;
    file.isOpen = true;
    return true;
}

bool FolderHandle::Identify(const std::string& name, DirectoryEntry& entry) const {
    struct stat info {};
    if (::fstatat(FdOf(handle_), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return FailWithErrno();
    entry.name = name;
    entry.kind = KindOfMode(info.st_mode);
    entry.device = static_cast<std::uint64_t>(info.st_dev);
    entry.inode = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool FolderHandle::RemoveFile(const std::string& name) const {
    if (::unlinkat(FdOf(handle_), name.c_str(), 0) != 0) return FailWithErrno();
    return true;
}

bool FolderHandle::RemoveFolder(const std::string& name) const {
    if (::unlinkat(FdOf(handle_), name.c_str(), AT_REMOVEDIR) != 0) return FailWithErrno();
    return true;
}

bool FolderHandle::Device(std::uint64_t& device) const {
    struct stat status {};
    if (::fstat(FdOf(handle_), &status) != 0) return FailWithErrno();
    device = status.st_dev;
    return true;
}

bool FolderHandle::Rename(const std::string& from, const std::string& to) const {
    if (!PassFileStep({.step = FileStep::Rename, .path = &from, .target = &to})) return false;
    if (::renameat(FdOf(handle_), from.c_str(), FdOf(handle_), to.c_str()) != 0) return FailWithErrno();
    return true;
}

}  // namespace tarvoss
