#pragma once
// Whole-file and folder operations. Each returns true on success and sets the
// thread's last error on failure; none reports by itself.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/PathText.h"

namespace tarvoss {

bool DeleteFile(const std::string& path);
// Gives the file `from` the name `to` in one step, replacing what `to` named.
bool RenameFile(const std::string& from, const std::string& to);
// Creates one folder; false when it cannot be made (also when it exists).
bool CreateDirectory(const std::string& path);
// Removes a folder; succeeds only when it is empty.
bool RemoveDirectory(const std::string& path);
// Whether anything has the name `path`: a file, a folder, a link (even one
// that leads nowhere).
bool PathIsTaken(const std::string& path);
// Flushes a folder's entries to disk (after a file in it was created or removed).
bool SyncDirectory(const std::string& path);

// The identity of a file on disk, following links.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
bool GetFileIdentity(const std::string& path, FileIdentity& identity);
// The length in bytes of the file at `path`, following links.
bool GetFileSize(const std::string& path, std::uint64_t& length);
// True when both paths name the same file on disk (also through links).
bool IsSameFile(const std::string& a, const std::string& b);

// The full path of `path` with its links resolved; when it cannot be resolved,
// `path` taken from the current directory.
std::string ResolvedPath(const std::string& path);

// The current directory of the process.
bool SetCurrentDirectory(const std::string& path);
std::string GetCurrentDirectory();

// The full path of the running executable, and its folder ending in "/".
std::string ProgramPath();
std::string ProgramFolder();

}  // namespace tarvoss
