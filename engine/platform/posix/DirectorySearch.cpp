#include "platform/DirectorySearch.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    if (S_ISLNK(mode)) return EntryKind::Link;
    return EntryKind::Special;
}

bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return FailWithErrno();
    const bool listed = ListDirectoryAt(fd, entries);
    const int code = GetLastError();
    ::close(fd);
    return listed ? true : FailWith(code);
}

bool ListDirectoryAt(int folder, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    // The directory stream takes over a descriptor of its own, so the caller's
    // stays open; it shares the position, which rewinddir puts at the start.
    const int fd = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return FailWithErrno();
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd));
    if (!dir) {
        const int code = errno;
        ::close(fd);
        return FailWith(code);
    }
    ::rewinddir(dir.get());
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0) return FailWithErrno();
            break;
        }
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat info {};
        // An entry that vanished between the listing and the look is left out.
        if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        entries.push_back({name, KindOfMode(info.st_mode), static_cast<std::uint64_t>(info.st_dev),
                           static_cast<std::uint64_t>(info.st_ino)});
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return true;
}

}  // namespace tarvoss
