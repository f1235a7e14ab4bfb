#pragma once
// File attributes, kept as the system keeps them: on POSIX the permission
// bits, where the read-only attribute is an owner-write bit that is clear; on
// Windows the file's attributes themselves.
// "Normal" means the file may be written.

#include <cstdint>
#include <string>

namespace tarvoss {

class FileRecord;

struct FileAttributes {
    std::uint32_t bits = 0;  // as the system stores them, saved and put back unchanged
    // Whether the attributes forbid writing the file.
    bool ReadOnly() const;
};

// Reads the attributes of `path` (following links). False when the path does
// not exist or cannot be examined; the last error says why.
bool GetFileAttributes(const std::string& path, FileAttributes& attributes);
// Makes the file writable for its owner, leaving the other bits alone.
bool SetFileAttributesNormal(const std::string& path);
// The same for a name that is replaced rather than written (a copy's
// destination): a link there is left alone, never followed.
bool SetEntryAttributesNormal(const std::string& path);
// Puts saved attributes back.
bool RestoreFileAttributes(const std::string& path, const FileAttributes& attributes);
// Gives the open file `file` the attributes of `source`.
bool CopyFileAttributes(const FileAttributes& source, const FileRecord& file);

// A path exists when its attributes can be read.
bool PathExists(const std::string& path);
// Whether anything at all has the name `path`: a link counts as itself,
// whatever it points to. False with the last error set otherwise (ENOENT
// when nothing has that name).
bool EntryExists(const std::string& path);
bool IsDirectory(const std::string& path);

}  // namespace tarvoss
