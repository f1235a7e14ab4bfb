#include "platform/FileRecord.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <utility>

#include "platform/FileSteps.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {

namespace {

std::atomic<ShownFailureReport> shownFailureReport{nullptr};

// Why a path that exists cannot be opened as a file.
// Asks the file layer's seam whether a step may happen; errno is set when not.
bool Pass(const FileStepEvent& event) {
    if (PassFileStep(event)) return true;
    errno = GetLastError();
    return false;
}

int RefusalFor(mode_t mode) {
    if (S_ISDIR(mode)) return EISDIR;
    return EINVAL;  // FIFO, device, socket: not a file to transform
}

}  // namespace

FileRecord::~FileRecord() {
    if (isOpen) ::close(FdOf(handle));
}

FileRecord::FileRecord(FileRecord&& other) noexcept { *this = std::move(other); }

FileRecord& FileRecord::operator=(FileRecord&& other) noexcept {
    if (this == &other) return *this;
    if (isOpen) ::close(FdOf(handle));
    access = other.access;
    createDisposition = other.createDisposition;
    openDisposition = other.openDisposition;
    showErrors = other.showErrors;
    refuseLinks = other.refuseLinks;
    handle = std::exchange(other.handle, kNoHandle);
    isOpen = std::exchange(other.isOpen, false);
    return *this;
}

bool FileRecord::Open(const std::string& path) { return OpenWith(path, openDisposition); }

bool FileRecord::Create(const std::string& path) { return OpenWith(path, createDisposition); }

bool FileRecord::OpenWith(const std::string& path, Disposition disposition) {
    if (isOpen) {
        errno = EBUSY;
        return Fail();
    }
    if (!Pass({.step = FileStep::Open, .path = &path})) return Fail();
    const bool writing = access == FileAccess::ReadWrite;

    // Look before opening: a FIFO must never be opened for reading (it would
    // wait for a writer), and a read-only file must not be written even by
    // root, who would pass the permission check of open(2).
    struct stat before {};
    const int looked = refuseLinks ? ::lstat(path.c_str(), &before) : ::stat(path.c_str(), &before);
    if (looked == 0) {
        if (S_ISLNK(before.st_mode)) {
            errno = ELOOP;
            return Fail();
        }
        if (!S_ISREG(before.st_mode)) {
            errno = RefusalFor(before.st_mode);
            return Fail();
        }
        if (writing && (before.st_mode & S_IWUSR) == 0) {
            errno = EACCES;
            return Fail();
        }
    } else if (errno != ENOENT || disposition == Disposition::OpenExisting) {
        return Fail();
    }

    int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (writing ? O_RDWR : O_RDONLY);
    if (disposition == Disposition::CreateAlways) flags |= O_CREAT | O_TRUNC;
    if (disposition == Disposition::OpenAlways) flags |= O_CREAT;
    if (disposition == Disposition::CreateNew) flags |= O_CREAT | O_EXCL;
    if (refuseLinks) flags |= O_NOFOLLOW;

    // O_TRUNC must not reach a file that was swapped for something else
    // between the look and the open: open without it, check, then truncate.
    const bool truncate = (flags & O_TRUNC) != 0;
    flags &= ~O_TRUNC;
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) return Fail();

    // Check again what was opened: the path may have changed since the look.
    struct stat opened {};
    int refusal = 0;
    if (::fstat(fd, &opened) != 0) {
        refusal = errno;
    } else if (!S_ISREG(opened.st_mode)) {
        refusal = RefusalFor(opened.st_mode);
    } else if (writing && (opened.st_mode & S_IWUSR) == 0 && (flags & O_CREAT) == 0) {
        refusal = EACCES;
    }
    if (refusal != 0) {
        ::close(fd);
        errno = refusal;
        return Fail();
    }
    // Back to blocking reads and writes for the regular file.
    const int fileFlags = ::fcntl(fd, F_GETFL);
    if (fileFlags < 0 || ::fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK) != 0 || (truncate && ::ftruncate(fd, 0) != 0)) {
        const int code = errno;
        ::close(fd);
        errno = code;
        return Fail();
    }
    handle = fd;
    isOpen = true;
    return true;
}

bool FileRecord::CreateUnnamed(const std::string& folder) {
    if (isOpen) {
        errno = EBUSY;
        return Fail();
    }
    if (!Pass({.step = FileStep::Open, .path = &folder})) return Fail();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0) return Fail();
    handle = fd;
    isOpen = true;
    return true;
}

bool FileRecord::LinkAs(const std::string& path) { return LinkInto(AT_FDCWD, path); }

bool FileRecord::LinkAt(const FolderHandle& folder, const std::string& name) {
    return LinkInto(FdOf(folder.Native()), name);
}

bool FileRecord::LinkInto(int folder, const std::string& name) {
    if (!Pass({.step = FileStep::Rename, .handle = handle, .target = &name})) return Fail();
    // Through /proc, which needs no privilege, unlike linkat's AT_EMPTY_PATH.
    if (::linkat(AT_FDCWD, PinnedPath().c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) != 0) return Fail();
    return true;
}

std::string FileRecord::PinnedPath() const { return "/proc/self/fd/" + std::to_string(FdOf(handle)); }

bool FileRecord::Close() {
    if (!isOpen) {
        errno = EBADF;
        return Fail();
    }
    const int fd = FdOf(handle);
    handle = kNoHandle;
    isOpen = false;
    const bool passed = Pass({.step = FileStep::Close, .handle = fd});
    const int code = errno;
    // The descriptor is gone after close(2) whatever it returns, EINTR included.
    if (::close(fd) != 0) return Fail();
    if (!passed) {
        errno = code;
        return Fail();
    }
    return true;
}

bool FileRecord::ReadAt(std::uint64_t offset, void* data, std::size_t count) {
    if (!Pass({.step = FileStep::Read, .handle = handle, .offset = offset, .length = count})) return FailRead();
    auto* bytes = static_cast<unsigned char*>(data);
    while (count > 0) {
        const ssize_t got = ::pread(FdOf(handle), bytes, count, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) continue;
            return FailRead();
        }
        if (got == 0) {
            errno = ENODATA;
            return FailRead();
        }
        bytes += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool FileRecord::WriteAt(std::uint64_t offset, const void* data, std::size_t count) {
    if (!Pass({.step = FileStep::Write, .handle = handle, .offset = offset, .data = data, .length = count}))
        return Fail();
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t put = ::pwrite(FdOf(handle), bytes, count, static_cast<off_t>(offset));
        if (put < 0) {
            if (errno == EINTR) continue;
            return Fail();
        }
        bytes += put;
        offset += static_cast<std::uint64_t>(put);
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool FileRecord::Read(void* data, std::size_t count, std::size_t& got) {
    auto* bytes = static_cast<unsigned char*>(data);
    got = 0;
    while (got < count) {
        const ssize_t n = ::read(FdOf(handle), bytes + got, count - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            return FailRead();
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool FileRecord::Write(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        const ssize_t put = ::write(FdOf(handle), bytes, count);
        if (put < 0) {
            if (errno == EINTR) continue;
            return Fail();
        }
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool FileRecord::SeekToEnd() {
    if (::lseek(FdOf(handle), 0, SEEK_END) < 0) return Fail();
    return true;
}

bool FileRecord::Size(std::uint64_t& length) {
    struct stat info {};
    if (::fstat(FdOf(handle), &info) != 0) return Fail();
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool FileRecord::Identity(FileIdentity& identity) {
    struct stat info {};
    if (::fstat(FdOf(handle), &info) != 0) return Fail();
    identity = {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    return true;
}

bool FileRecord::Attributes(FileAttributes& attributes) {
    struct stat info {};
    if (::fstat(FdOf(handle), &info) != 0) return Fail();
    attributes.bits = info.st_mode & 07777;
    return true;
}

bool FileRecord::Truncate(std::uint64_t length) {
    if (!Pass({.step = FileStep::Truncate, .handle = handle, .offset = length})) return Fail();
    if (::ftruncate(FdOf(handle), static_cast<off_t>(length)) != 0) return Fail();
    return true;
}

bool FileRecord::Allocate(std::uint64_t length) {
    if (length == 0) return true;
    if (!Pass({.step = FileStep::Allocate, .handle = handle, .offset = length})) return Fail();
    // posix_fallocate returns the error instead of setting errno.
    const int code = ::posix_fallocate(FdOf(handle), 0, static_cast<off_t>(length));
    if (code != 0) {
        errno = code;
        return Fail();
    }
    return true;
}

bool FileRecord::AllocateIfCheap(std::uint64_t length) {
    if (length == 0) return true;
    // fallocate(2) itself, not posix_fallocate, which writes to every block
    // where the file system has no way to reserve them. The length stays, so
    // a file cut short by a crash shows how far it was written.
    if (::fallocate(FdOf(handle), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length)) == 0) return true;
    if (errno == EOPNOTSUPP || errno == ENOSYS) return true;
    return Fail();
}

bool FileRecord::Sync() {
    if (!Pass({.step = FileStep::Sync, .handle = handle})) return Fail();
    if (::fsync(FdOf(handle)) != 0) return Fail();
    return true;
}

bool FileRecord::DataSync() {
    if (!Pass({.step = FileStep::Sync, .handle = handle})) return Fail();
    if (::fdatasync(FdOf(handle)) != 0) return Fail();
    return true;
}

bool FileRecord::SyncFileSystem() {
    if (!Pass({.step = FileStep::SyncFileSystem, .handle = handle})) return Fail();
    if (::syncfs(FdOf(handle)) != 0) return Fail();
    return true;
}

void FileRecord::StartWriteback(std::uint64_t offset, std::uint64_t length) {
    ::sync_file_range(FdOf(handle), static_cast<off_t>(offset), static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
}

bool FileRecord::Birth(FileBirth& birth) {
    struct statx info {};
    if (::statx(FdOf(handle), "", AT_EMPTY_PATH, STATX_BTIME, &info) != 0) return Fail();
    birth = {};
    if ((info.stx_mask & STATX_BTIME) == 0) return true;
    birth = {true, static_cast<std::int64_t>(info.stx_btime.tv_sec), info.stx_btime.tv_nsec};
    return true;
}

bool FileRecord::IsPrivate(bool& isPrivate) {
    struct stat info {};
    if (::fstat(FdOf(handle), &info) != 0) return Fail();
    isPrivate = S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_nlink == 1;
    return true;
}

bool FileRecord::TryLockExclusive() {
    if (::flock(FdOf(handle), LOCK_EX | LOCK_NB) != 0) return Fail();
    return true;
}

void SetShownFailureReport(ShownFailureReport report) { shownFailureReport.store(report); }

bool FileRecord::Fail() {
    FailWithErrno();
    if (const ShownFailureReport report = shownFailureReport.load(); showErrors && report != nullptr) report();
    return false;
}

bool FileRecord::FailRead() {
    const int code = errno;
    Fail();
    return FailReading(code);
}

}  // namespace tarvoss
