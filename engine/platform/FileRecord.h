#pragma once
// FileRecord: the settings and handle of one open file. Every file the program
// opens goes through it: the transforms, the error log and the file list.
//
// Only regular files are opened; a folder, FIFO, device or socket is refused
// without blocking. A file whose owner-write bit is clear is treated as
// read-only: opening it for writing fails with "Permission denied" even for
// root. Each failing call sets the thread's last error and, when `showErrors`
// is set, hands it to the program's failure report (see SetShownFailureReport).

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/NativeHandle.h"

namespace tarvoss {

class FolderHandle;

enum class FileAccess { Read, ReadWrite };

// When a file was made, where its file system keeps that (statx): a file made
// anew under a freed inode number has another birth than the one before it.
struct FileBirth {
    bool known = false;  // false: the file system keeps no birth time
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;
    bool operator==(const FileBirth&) const = default;
};

// What a failing record with `showErrors` set does beyond setting the last
// error: the program's error report (system-error box and Errors.log entry)
// installs itself here, so that this layer needs nothing above it. None
// installed: the failure is only returned.
using ShownFailureReport = void (*)();
void SetShownFailureReport(ShownFailureReport report);

enum class Disposition {
    OpenExisting,  // the file must exist
    CreateAlways,  // created when missing, emptied when present
    OpenAlways,    // created when missing, kept when present
    CreateNew,     // created; fails when the path exists
};

class FileRecord {
public:
    FileAccess access = FileAccess::ReadWrite;
    Disposition createDisposition = Disposition::CreateAlways;
    Disposition openDisposition = Disposition::OpenExisting;
    bool showErrors = true;
    // Refuses a symbolic link at the path instead of following it (files of
    // the program's own, which a link in their place must not redirect).
    bool refuseLinks = false;
    NativeHandle handle = kNoHandle;
    bool isOpen = false;

    FileRecord() = default;
    FileRecord(const FileRecord&) = delete;
    FileRecord& operator=(const FileRecord&) = delete;
    // Moving hands the open handle over; the moved-from record is closed.
    FileRecord(FileRecord&& other) noexcept;
    FileRecord& operator=(FileRecord&& other) noexcept;
    // A record still open when it goes away is closed without a report; code
    // that must know whether the close succeeded calls Close() itself.
    ~FileRecord();

    // Opens with `openDisposition`.
    bool Open(const std::string& path);
    // Opens with `createDisposition`. New files get the permissions 0666
    // less the process's umask.
    bool Create(const std::string& path);
    // Creates a file without a name in `folder`, open for reading and
    // writing (O_TMPFILE): nothing of it can be seen until LinkAs gives it a
    // name, and it vanishes if the process dies first. Fails with
    // ErrorCondition::NoUnnamedFiles where the file system cannot do this.
    bool CreateUnnamed(const std::string& folder);
    // Gives the open file, made by CreateUnnamed, the name `path`; fails with
    // ErrorCondition::Exists when the name is taken.
    bool LinkAs(const std::string& path);
    // The same with `name` in the open folder `folder`.
    bool LinkAt(const FolderHandle& folder, const std::string& name);
    // A path that reaches this very open file whatever happens to its name
    // meanwhile, for code that takes paths.
    std::string PinnedPath() const;
    // Closes the handle; true when the system reports success.
    bool Close();

    // Reads exactly `count` bytes at `offset`. Fewer bytes (the file is
    // shorter than expected) is a failure with the system's "no data" error.
    bool ReadAt(std::uint64_t offset, void* data, std::size_t count);
    // Writes all `count` bytes at `offset`.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count);
    // Reads up to `count` bytes at the current position; `got` is the number
    // read, less than `count` only at the end of the file.
    bool Read(void* data, std::size_t count, std::size_t& got);
    // Writes all `count` bytes at the current position.
    bool Write(const void* data, std::size_t count);
    // Moves the current position to the end of the file.
    bool SeekToEnd();
    // The file's length in bytes.
    bool Size(std::uint64_t& length);
    // The identity of the open file on disk, and its attributes.
    bool Identity(FileIdentity& identity);
    bool Attributes(FileAttributes& attributes);
    // Cuts or extends the file to `length` bytes.
    bool Truncate(std::uint64_t length);
    // Reserves real disk space for the first `length` bytes, so that later
    // writes within them cannot fail for lack of space.
    bool Allocate(std::uint64_t length);
    // Reserves disk space for the first `length` bytes without changing the
    // file's length, where the file system can do so without writing to the
    // file; true without doing anything where it cannot.
    bool AllocateIfCheap(std::uint64_t length);
    // Flushes the file's data and metadata to the disk.
    bool Sync();
    // Flushes the file's data, and of its metadata what is needed to read
    // the data back (its length), to the disk.
    bool DataSync();
    // Flushes everything written to the file system that holds this file
    // (syncfs): one call makes a whole group of files durable.
    bool SyncFileSystem();
    // Starts writing `length` bytes at `offset` to the disk without waiting
    // (sync_file_range), so that a later flush finds less to do. Only a hint:
    // it promises nothing and never fails.
    void StartWriteback(std::uint64_t offset, std::uint64_t length);
    // The open file's birth; `birth.known` false where the file system keeps none.
    bool Birth(FileBirth& birth);
    // Whether the open file is the user's own alone: a regular file of the
    // process's user with no other name (no hard link elsewhere).
    bool IsPrivate(bool& isPrivate);
    // Takes the exclusive advisory lock of the file (flock) without waiting:
    // fails with ErrorCondition::Locked while another open of the file, in this process
    // or another, holds it. The lock goes with the handle's close.
    bool TryLockExclusive();

private:
    bool OpenWith(const std::string& path, Disposition disposition);
    bool LinkInto(int folder, const std::string& name);
    // Sets the last error from the system, reports it when asked, returns false.
    bool Fail();
    // The same for a read, whose error is marked as one (LastErrorIsRead).
    bool FailRead();
};

}  // namespace tarvoss
