#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/FileSteps.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {

bool DeleteFile(const std::string& path) {
    if (!PassFileStep({.step = FileStep::Remove, .path = &path})) return false;
    if (::unlink(path.c_str()) != 0) return FailWithErrno();
    return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
    if (!PassFileStep({.step = FileStep::Rename, .path = &from, .target = &to})) return false;
    if (::rename(from.c_str(), to.c_str()) != 0) return FailWithErrno();
    return true;
}

bool CreateDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) return FailWithErrno();
    return true;
}

bool RemoveDirectory(const std::string& path) {
    if (::rmdir(path.c_str()) != 0) return FailWithErrno();
    return true;
}

bool PathIsTaken(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool SyncDirectory(const std::string& path) {
    if (!PassFileStep({.step = FileStep::SyncFolder, .path = &path})) return false;
    const int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return FailWithErrno();
    const bool synced = ::fsync(fd) == 0;
    const int code = errno;
    ::close(fd);
    return synced ? true : FailWith(code);
}

bool GetFileIdentity(const std::string& path, FileIdentity& identity) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FailWithErrno();
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.inode = static_cast<std::uint64_t>(info.st_ino);
    return true;
}

bool GetFileSize(const std::string& path, std::uint64_t& length) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return FailWithErrno();
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    FileIdentity first, second;
    return GetFileIdentity(a, first) && GetFileIdentity(b, second) && first == second;
}

bool SetCurrentDirectory(const std::string& path) {
    if (::chdir(path.c_str()) != 0) return FailWithErrno();
    return true;
}

std::string ResolvedPath(const std::string& path) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
        std::string absolute(resolved);
        std::free(resolved);
        return absolute;
    }
    if (!path.empty() && path[0] == '/') return path;
    char here[PATH_MAX];
    return ::getcwd(here, sizeof here) != nullptr ? std::string(here) + "/" + path : path;
}

std::string GetCurrentDirectory() {
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        FailWithErrno();
        return {};
    }
    return buffer.data();
}

std::string ProgramPath() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), PATH_MAX);
    if (length <= 0) {
        FailWithErrno();
        return {};
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string ProgramFolder() { return FolderOfPath(ProgramPath()); }

}  // namespace tarvoss
