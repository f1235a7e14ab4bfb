#include "platform/FileRecord.h"

#include <atomic>
#include <limits>
#include <string>
#include <utility>

#include "platform/FileSteps.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"
#include "platform/PathText.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {

namespace {

std::atomic<ShownFailureReport> shownFailureReport{nullptr};

// Asks the file layer's seam whether a step may happen; the system's last
// error is set when not.
bool Pass(const FileStepEvent& event) {
    if (PassFileStep(event)) return true;
    ::SetLastError(static_cast<DWORD>(GetLastError()));
    return false;
}

// The lock of an in-place run is one byte far beyond any file the transforms
// take: a byte-range lock on Windows also stops other handles from reading
// and writing the bytes it covers, and the file's own bytes must stay
// readable through the run's other handles.
constexpr DWORD kLockOffsetLow = 0xFFFFFFFEu;
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFFu;

// Reads and writes in pieces a DWORD can count.
constexpr std::size_t kLargestPiece = 1u << 30;

OVERLAPPED At(std::uint64_t offset) {
    OVERLAPPED where{};
    where.Offset = static_cast<DWORD>(offset);
    where.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return where;
}

// FlushFileBuffers needs a handle that may write: a file open only for
// reading is flushed through a second handle of its own, opened on the same
// file (not its name), so that it is this very file that is flushed.
bool FlushOpenFile(NativeHandle handle, FileAccess access) {
    if (access == FileAccess::ReadWrite) return ::FlushFileBuffers(HandleOf(handle)) != 0;
    const HANDLE writer =
        ::ReOpenFile(HandleOf(handle), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    if (writer == INVALID_HANDLE_VALUE) return false;
    const bool flushed = ::FlushFileBuffers(writer) != 0;
    const DWORD code = ::GetLastError();
    ::CloseHandle(writer);
    ::SetLastError(code);
    return flushed;
}

}  // namespace

FileRecord::~FileRecord() {
    if (isOpen) ::CloseHandle(HandleOf(handle));
}

FileRecord::FileRecord(FileRecord&& other) noexcept { *this = std::move(other); }

FileRecord& FileRecord::operator=(FileRecord&& other) noexcept {
    if (this == &other) return *this;
    if (isOpen) ::CloseHandle(HandleOf(handle));
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
        ::SetLastError(ERROR_BUSY);
        return Fail();
    }
    if (!Pass({.step = FileStep::Open, .path = &path})) return Fail();
    const bool writing = access == FileAccess::ReadWrite;

    // A file written in place shares only reading: no other program writes
    // it meanwhile. One that is only read lets others go on writing, as the
    // run's own handles may. Deleting and renaming stay allowed, so that the
    // run can name and remove files it holds open.
    const DWORD desired = writing ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const DWORD sharing = FILE_SHARE_DELETE | FILE_SHARE_READ | (writing ? 0 : FILE_SHARE_WRITE);
    DWORD creation = OPEN_EXISTING;
    // CREATE_ALWAYS would empty whatever the name holds at that instant: open
    // without emptying, check what was opened, then cut it.
    const bool truncate = disposition == Disposition::CreateAlways;
    if (disposition == Disposition::CreateAlways || disposition == Disposition::OpenAlways) creation = OPEN_ALWAYS;
    if (disposition == Disposition::CreateNew) creation = CREATE_NEW;
    // A new file whose name begins with "." (the temporary names of copies)
    // is hidden, as such names are on POSIX; a copy takes its source's
    // attributes before it is named.
    const bool hidden = disposition != Disposition::OpenExisting && path.size() > FolderOfPath(path).size() &&
                        path[FolderOfPath(path).size()] == '.';
    DWORD flags = hidden ? FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL;
    if (refuseLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;

    const HANDLE opened =
        ::CreateFileW(SystemPathOf(path).c_str(), desired, sharing, nullptr, creation, flags, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return Fail();

    // Only regular files on disk: no folder, device, pipe or console, and
    // with refuseLinks no reparse point.
    ObjectIdentity identity;
    DWORD refusal = 0;
    if (::GetFileType(opened) != FILE_TYPE_DISK) {
        refusal = ERROR_INVALID_PARAMETER;
    } else if (!IdentityOfHandle(opened, identity)) {
        refusal = ::GetLastError();
    } else if ((identity.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        refusal = ERROR_CANT_RESOLVE_FILENAME;
    } else if ((identity.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        refusal = ERROR_DIRECTORY;
    } else if (truncate && !::SetEndOfFile(opened)) {
        refusal = ::GetLastError();
    }
    if (refusal != 0) {
        ::CloseHandle(opened);
        ::SetLastError(refusal);
        return Fail();
    }
    handle = NativeOf(opened);
    isOpen = true;
    return true;
}

// Windows has no file without a name: copies take a temporary name instead.
bool FileRecord::CreateUnnamed(const std::string&) {
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return Fail();
}

bool FileRecord::LinkAs(const std::string&) {
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return Fail();
}

bool FileRecord::LinkAt(const FolderHandle&, const std::string&) {
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return Fail();
}

bool FileRecord::LinkInto(int, const std::string&) {
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return Fail();
}

// The name the open file has now, as the system tracks it through renames.
std::string FileRecord::PinnedPath() const {
    std::string path;
    return CurrentPathOf(HandleOf(handle), path) ? path : std::string();
}

bool FileRecord::Close() {
    if (!isOpen) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return Fail();
    }
    const HANDLE open = HandleOf(handle);
    const NativeHandle closing = handle;
    handle = kNoHandle;
    isOpen = false;
    const bool passed = Pass({.step = FileStep::Close, .handle = closing});
    const DWORD code = ::GetLastError();
    if (!::CloseHandle(open)) return Fail();
    if (!passed) {
        ::SetLastError(code);
        return Fail();
    }
    return true;
}

bool FileRecord::ReadAt(std::uint64_t offset, void* data, std::size_t count) {
    if (!Pass({.step = FileStep::Read, .handle = handle, .offset = offset, .length = count})) return FailRead();
    auto* bytes = static_cast<unsigned char*>(data);
    while (count > 0) {
        OVERLAPPED where = At(offset);
        DWORD got = 0;
        const DWORD piece = static_cast<DWORD>(count < kLargestPiece ? count : kLargestPiece);
        // At the end of the file ReadFile fails with ERROR_HANDLE_EOF, the
        // system's "no data".
        if (!::ReadFile(HandleOf(handle), bytes, piece, &got, &where)) return FailRead();
        if (got == 0) {
            ::SetLastError(ERROR_HANDLE_EOF);
            return FailRead();
        }
        bytes += got;
        offset += got;
        count -= got;
    }
    return true;
}

bool FileRecord::WriteAt(std::uint64_t offset, const void* data, std::size_t count) {
    if (!Pass({.step = FileStep::Write, .handle = handle, .offset = offset, .data = data, .length = count}))
        return Fail();
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        OVERLAPPED where = At(offset);
        DWORD put = 0;
        const DWORD piece = static_cast<DWORD>(count < kLargestPiece ? count : kLargestPiece);
        if (!::WriteFile(HandleOf(handle), bytes, piece, &put, &where)) return Fail();
        if (put == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return Fail();
        }
        bytes += put;
        offset += put;
        count -= put;
    }
    return true;
}

bool FileRecord::Read(void* data, std::size_t count, std::size_t& got) {
    auto* bytes = static_cast<unsigned char*>(data);
    got = 0;
    while (got < count) {
        DWORD n = 0;
        const std::size_t left = count - got;
        const DWORD piece = static_cast<DWORD>(left < kLargestPiece ? left : kLargestPiece);
        if (!::ReadFile(HandleOf(handle), bytes + got, piece, &n, nullptr)) {
            if (::GetLastError() == ERROR_HANDLE_EOF || ::GetLastError() == ERROR_BROKEN_PIPE) break;
            return FailRead();
        }
        if (n == 0) break;
        got += n;
    }
    return true;
}

bool FileRecord::Write(const void* data, std::size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (count > 0) {
        DWORD put = 0;
        const DWORD piece = static_cast<DWORD>(count < kLargestPiece ? count : kLargestPiece);
        if (!::WriteFile(HandleOf(handle), bytes, piece, &put, nullptr)) return Fail();
        if (put == 0) {
            ::SetLastError(ERROR_WRITE_FAULT);
            return Fail();
        }
        bytes += put;
        count -= put;
    }
    return true;
}

bool FileRecord::SeekToEnd() {
    if (!::SetFilePointerEx(HandleOf(handle), LARGE_INTEGER{}, nullptr, FILE_END)) return Fail();
    return true;
}

bool FileRecord::Size(std::uint64_t& length) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(HandleOf(handle), &size)) return Fail();
    length = static_cast<std::uint64_t>(size.QuadPart);
    return true;
}

bool FileRecord::Identity(FileIdentity& identity) {
    ObjectIdentity object;
    if (!IdentityOfHandle(HandleOf(handle), object)) return Fail();
    identity = {object.volume, object.index};
    return true;
}

bool FileRecord::Attributes(FileAttributes& attributes) {
    ObjectIdentity object;
    if (!IdentityOfHandle(HandleOf(handle), object)) return Fail();
    attributes.bits = object.attributes;
    return true;
}

bool FileRecord::Truncate(std::uint64_t length) {
    if (!Pass({.step = FileStep::Truncate, .handle = handle, .offset = length})) return Fail();
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    if (!::SetFileInformationByHandle(HandleOf(handle), FileEndOfFileInfo, &end, sizeof end)) return Fail();
    return true;
}

bool FileRecord::Allocate(std::uint64_t length) {
    if (length == 0) return true;
    if (!Pass({.step = FileStep::Allocate, .handle = handle, .offset = length})) return Fail();
    // The length grows to at least `length`, as posix_fallocate leaves it; a
    // longer file keeps its length. Extending a file on NTFS gives it its
    // clusters at once (it is not made sparse), so later writes within the
    // length cannot fail for lack of space.
    std::uint64_t current = 0;
    if (!Size(current)) return false;
    if (current >= length) return true;
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
    if (!::SetFileInformationByHandle(HandleOf(handle), FileEndOfFileInfo, &end, sizeof end)) return Fail();
    return true;
}

bool FileRecord::AllocateIfCheap(std::uint64_t length) {
    if (length == 0) return true;
    // Reserving clusters leaves the length alone, so a file cut short by a
    // crash shows how far it was written. Where it cannot be done it is
    // only a missed hint.
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(length);
    ::SetFileInformationByHandle(HandleOf(handle), FileAllocationInfo, &allocation, sizeof allocation);
    return true;
}

bool FileRecord::Sync() {
    if (!Pass({.step = FileStep::Sync, .handle = handle})) return Fail();
    if (!FlushOpenFile(handle, access)) return Fail();
    return true;
}

// Windows flushes data and metadata in one call.
bool FileRecord::DataSync() { return Sync(); }

// No call flushes a whole file system from one file's handle without
// administrator rights: the file itself is flushed, which is what the group
// flush must at least make durable; each file of the group is flushed by
// its own Sync where durability is needed.
bool FileRecord::SyncFileSystem() {
    if (!Pass({.step = FileStep::SyncFileSystem, .handle = handle})) return Fail();
    if (!FlushOpenFile(handle, access)) return Fail();
    return true;
}

// Windows offers no hint to start writing back a range; the flush does it all.
void FileRecord::StartWriteback(std::uint64_t, std::uint64_t) {}

// No birth that proves anything is kept here: the creation time is set by
// any program that wants to (restoring from a backup keeps it), and Wine
// reports the time of the last change as it. What a birth tells on Linux, a
// new file under a freed number, NTFS already tells by the file index, whose
// high bits count each reuse of its record.
bool FileRecord::Birth(FileBirth& birth) {
    birth = {};
    return true;
}

bool FileRecord::IsPrivate(bool& isPrivate) {
    // A regular file with no other name; who owns it is guarded by the
    // user's own profile folder that holds the program's state.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(HandleOf(handle), &info)) return Fail();
    isPrivate = (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0 &&
                info.nNumberOfLinks == 1;
    return true;
}

bool FileRecord::TryLockExclusive() {
    OVERLAPPED where{};
    where.Offset = kLockOffsetLow;
    where.OffsetHigh = kLockOffsetHigh;
    if (!::LockFileEx(HandleOf(handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where))
        return Fail();
    return true;
}

void SetShownFailureReport(ShownFailureReport report) { shownFailureReport.store(report); }

bool FileRecord::Fail() {
    FailWithSystemError();
    if (const ShownFailureReport report = shownFailureReport.load(); showErrors && report != nullptr) report();
    return false;
}

bool FileRecord::FailRead() {
    const int code = static_cast<int>(::GetLastError());
    Fail();
    return FailReading(code);
}

}  // namespace tarvoss
