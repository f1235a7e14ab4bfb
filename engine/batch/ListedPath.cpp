#include "batch/ListedPath.h"

#include <filesystem>

#include "common/SplitPath.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"

namespace tarvoss {

std::string NormalisePath(const std::string& path) {
    if (path.empty()) return path;
    std::filesystem::path full(path);
    if (full.is_relative()) full = std::filesystem::path(GetCurrentDirectory()) / full;
    std::string normal = full.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
    // POSIX lets "//" stand for something else than "/"; here it is "/".
    if (normal == "//") normal = "/";
    return normal;
}

bool SystemDeviceOf(const std::string& path, std::uint64_t& device) {
    FileIdentity identity;
    if (!GetFileIdentity(path, identity)) return false;
    device = identity.device;
    return true;
}

bool IsDiskRoot(const std::string& path, const DeviceOf& deviceOf) {
    if (path == "/") return true;
    std::uint64_t own = 0;
    std::uint64_t parent = 0;
    return deviceOf(path, own) && deviceOf(ParentFolder(path), parent) && own != parent;
}

std::optional<RowKind> KindOfPath(const std::string& path, const DeviceOf& deviceOf) {
    if (path.empty() || !PathExists(path)) return std::nullopt;
    if (!IsDirectory(path)) return RowKind::File;
    return IsDiskRoot(path, deviceOf) ? RowKind::DiskRoot : RowKind::Folder;
}

RunRow RowOfPath(const std::string& path, RowKind kind) {
    RunRow row;
    row.kind = kind;
    if (kind == RowKind::DiskRoot) {
        row.name = kDiskRootName;
        row.folder = path == "/" ? path : path + "/";
        return row;
    }
    SplitPath(path, row.folder, row.name);
    return row;
}

}  // namespace tarvoss
