#include "ListedPaths.h"

#include "common/ShownName.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/FileAttributes.h"

namespace tarvoss::cli {
namespace {

// "/" or the folder at the top of a mounted file system.
bool IsDiskRoot(const std::string& folder) {
    if (folder == "/") return true;
    struct stat self {}, parent {};
    if (::stat(folder.c_str(), &self) != 0 || ::stat((folder + "/..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

RunRow RowFor(const std::string& path) {
    if (IsDirectory(path) && IsDiskRoot(path))
        return {"[ Disk root ]", path == "/" ? path : path + "/", 2, 1};
    const auto slash = path.rfind('/');
    return {path.substr(slash + 1), path.substr(0, slash + 1), IsDirectory(path) ? 2 : 0, 0};
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    std::error_code ignored;
    std::string absolute = std::filesystem::absolute(path, ignored).lexically_normal().string();
    while (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
    return absolute;
}

bool ListRows(const std::vector<std::string>& paths, std::vector<RunRow>& rows, std::string& error) {
    rows.clear();
    for (const std::string& given : paths) {
        const std::string path = AbsolutePath(given);
        if (given.empty() || !PathExists(path)) {
            error = "no such file or folder: \"" + ShownName(given) + "\"";
            return false;
        }
        const RunRow row = RowFor(path);
        const bool listed = std::any_of(rows.begin(), rows.end(), [&](const RunRow& other) {
            return other.name == row.name && other.folder == row.folder;
        });
        if (listed) {
            error = "\"" + ShownName(given) + "\" is listed twice";
            return false;
        }
        rows.push_back(row);
    }
    return true;
}

}  // namespace tarvoss::cli
