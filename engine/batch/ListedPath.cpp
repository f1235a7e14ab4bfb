#include "batch/ListedPath.h"

#include "common/SplitPath.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarvoss {

std::string NormalisePath(const std::string& path) {
    if (path.empty()) return path;
    std::string full = EnginePathOf(path);
    if (PathRootLength(full) == 0) full = GetCurrentDirectory() + "/" + full;
    return LexicallyNormal(full);
}

bool SystemDeviceOf(const std::string& path, std::uint64_t& device) {
    FileIdentity identity;
    if (!GetFileIdentity(path, identity)) return false;
    device = identity.device;
    return true;
}

bool IsDiskRoot(const std::string& path, const DeviceOf& deviceOf) {
    if (IsRootPath(path)) return true;
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
        row.folder = path.back() == '/' ? path : path + "/";
        return row;
    }
    SplitPath(path, row.folder, row.name);
    return row;
}

}  // namespace tarvoss
