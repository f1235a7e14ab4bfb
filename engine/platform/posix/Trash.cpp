#include "platform/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/FolderHandle.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {
namespace {

constexpr int kNameAttempts = 1000;

// An open descriptor, closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0) ::close(fd_);
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// An open trash: its two folders, and how paths are recorded in it.
struct TrashFolders {
    Descriptor files;
    Descriptor info;
    std::string recordFrom;  // "" for absolute paths; else the top folder paths are relative to, ending in "/"
};

// Opens (creating it with mode 0700 when missing) the folder `name` inside
// `parent`, never through a link; it must belong to the user.
Descriptor OpenPrivateFolder(int parent, const std::string& name) {
    if (::mkdirat(parent, name.c_str(), 0700) != 0 && errno != EEXIST) return Descriptor();
    Descriptor fd(::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || info.st_uid != ::geteuid()) return Descriptor();
    return fd;
}

// files/ and info/ of the trash folder `trash`, when it lies on `device`.
std::optional<TrashFolders> OpenTrash(Descriptor trash, dev_t device, std::string recordFrom) {
    struct stat info {};
    if (!trash.valid() || ::fstat(trash.get(), &info) != 0 || info.st_dev != device) return std::nullopt;
    TrashFolders folders{OpenPrivateFolder(trash.get(), "files"), OpenPrivateFolder(trash.get(), "info"),
                         std::move(recordFrom)};
    if (!folders.files.valid() || !folders.info.valid()) return std::nullopt;
    return folders;
}

std::string DataHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return data;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return {};
    return std::string(home) + "/.local/share";
}

// Opens the folder `path`, creating it and its missing parents with mode 0700.
Descriptor OpenOrMakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
    return Descriptor(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

std::optional<TrashFolders> HomeTrash(dev_t device) {
    const std::string dataHome = DataHome();
    if (dataHome.empty()) return std::nullopt;
    Descriptor data = OpenOrMakeFolders(dataHome);
    struct stat info {};
    // Not made on a file system that could not take the file anyway.
    if (!data.valid() || ::fstat(data.get(), &info) != 0 || info.st_dev != device) return std::nullopt;
    return OpenTrash(OpenPrivateFolder(data.get(), "Trash"), device, "");
}

// The top folder of the file system that holds `path`: the last folder up the
// path that is still on `device`.
std::string TopFolder(const std::string& path, dev_t device) {
    std::string top = ParentFolder(path);
    while (top != "/") {
        const std::string parent = ParentFolder(top);
        struct stat info {};
        if (::stat(parent.c_str(), &info) != 0 || info.st_dev != device) break;
        top = parent;
    }
    return top;
}

std::optional<TrashFolders> TopTrash(const std::string& path, dev_t device) {
    const std::string top = TopFolder(path, device);
    Descriptor topFolder(::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!topFolder.valid()) return std::nullopt;
    const std::string uid = std::to_string(::geteuid());
    const std::string recordFrom = top == "/" ? "/" : top + "/";
    // A shared TOPDIR/.Trash that the administrator made (a real folder, not
    // a link, with the sticky bit) holds a folder per user; otherwise the
    // user's own TOPDIR/.Trash-UID.
    Descriptor shared(::openat(topFolder.get(), ".Trash", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (shared.valid() && ::fstat(shared.get(), &info) == 0 && (info.st_mode & S_ISVTX) != 0) {
        if (auto trash = OpenTrash(OpenPrivateFolder(shared.get(), uid), device, recordFrom)) return trash;
    }
    return OpenTrash(OpenPrivateFolder(topFolder.get(), ".Trash-" + uid), device, recordFrom);
}

std::string UrlEscaped(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || c == '/' || c == '-' || c == '_' || c == '.' || c == '~';
        if (plain) {
            escaped += c;
        } else {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 15];
        }
    }
    return escaped;
}

std::string Absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    return GetCurrentDirectory() + "/" + path;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Writes the information file for `trashName`; false with errno EEXIST when
// that name is taken.
bool WriteInfo(const TrashFolders& trash, const std::string& trashName, const std::string& recorded) {
    const std::string infoName = trashName + ".trashinfo";
    Descriptor fd(
        ::openat(trash.info.get(), infoName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid()) return false;
    if (WriteAll(fd.get(), TrashInfoText(recorded, std::time(nullptr))) && ::fsync(fd.get()) == 0) return true;
    const int code = errno;
    ::unlinkat(trash.info.get(), infoName.c_str(), 0);
    errno = code;
    return false;
}

TrashOutcome MoveInto(const TrashFolders& trash, int folder, const std::string& name, const std::string& path) {
    const std::string recorded = trash.recordFrom.empty() ? path : path.substr(trash.recordFrom.size());
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const std::string trashName = attempt == 1 ? name : name + "." + std::to_string(attempt);
        // The information file first: a file found in the trash always has one.
        if (!WriteInfo(trash, trashName, recorded)) {
            if (errno == EEXIST) continue;
            FailWithErrno();
            return TrashOutcome::Failed;
        }
        if (::renameat2(folder, name.c_str(), trash.files.get(), trashName.c_str(), RENAME_NOREPLACE) == 0) {
            ::fsync(trash.files.get());
            return TrashOutcome::Trashed;
        }
        const int code = errno;
        ::unlinkat(trash.info.get(), (trashName + ".trashinfo").c_str(), 0);
        if (code == EEXIST) continue;
        if (code == EXDEV) return TrashOutcome::NoTrash;
        FailWith(code);
        return TrashOutcome::Failed;
    }
    FailWith(EEXIST);
    return TrashOutcome::Failed;
}

}  // namespace

std::string TrashInfoText(const std::string& recordedPath, std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + UrlEscaped(recordedPath) + "\nDeletionDate=" + date + "\n";
}

TrashOutcome MoveToTrash(const FolderHandle& handle, const std::string& name, const std::string& path) {
    const int folder = FdOf(handle.Native());
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        FailWithErrno();
        return TrashOutcome::Failed;
    }
    const std::string absolute = Absolute(path);
    std::optional<TrashFolders> trash = HomeTrash(info.st_dev);
    if (!trash) trash = TopTrash(absolute, info.st_dev);
    if (!trash) return TrashOutcome::NoTrash;
    return MoveInto(*trash, folder, name, absolute);
}

}  // namespace tarvoss
