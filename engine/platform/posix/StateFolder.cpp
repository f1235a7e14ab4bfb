#include "platform/StateFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/LastError.h"

namespace tarvoss {
namespace {

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return home;
    // No usable HOME (a service, a stripped environment): the password
    // database still knows the user's home folder.
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
    return {};
}

}  // namespace

std::string StateFolderPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/tarvoss";
    const std::string home = HomeFolder();
    if (home.empty()) return {};
    return home + "/.local/state/tarvoss";
}

bool MakeFolderTree(std::string_view path, unsigned mode) {
    if (path.empty()) {
        SetLastError(ENOENT);
        return false;
    }
    // Each folder from the top down: the first missing one and all below it
    // are made; one made meanwhile by another process is fine.
    for (std::size_t end = 1; end <= path.size(); ++end) {
        if (end != path.size() && path[end] != '/') continue;
        const std::string part(path.substr(0, end));
        if (mkdir(part.c_str(), static_cast<mode_t>(mode)) == 0 || errno == EEXIST) {
            struct stat info {};
            if (stat(part.c_str(), &info) != 0) {
                SetLastError(errno);
                return false;
            }
            if (!S_ISDIR(info.st_mode)) {
                SetLastError(ENOTDIR);
                return false;
            }
            continue;
        }
        SetLastError(errno);
        return false;
    }
    return true;
}

bool EnsureStateFolder(std::string_view subFolder, std::string& path) {
    std::string folder = StateFolderPath();
    if (folder.empty()) {
        SetLastError(ENOENT);
        return false;
    }
    if (!subFolder.empty()) folder += "/" + std::string(subFolder);
    if (!MakeFolderTree(folder, 0700)) return false;
    path = std::move(folder);
    return true;
}

}  // namespace tarvoss
