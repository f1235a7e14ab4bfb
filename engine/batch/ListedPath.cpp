#include "batch/ListedPath.h"

#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarvoss {

std::string NormalisePath(const std::string& path) {
    if (path.empty()) return path;
    std::string full = EnginePathOf(path);
    const std::size_t root = PathRootLength(full);
    if (root == 0) {
        full = GetCurrentDirectory() + "/" + full;
    } else if (root == 1) {
        // "/data" on Windows lies on the current folder's drive: it is named
        // now, since the current folder may move to another drive before a
        // run (on POSIX the current folder's root is "/" and nothing changes).
        const std::string current = GetCurrentDirectory();
        const std::size_t currentRoot = PathRootLength(current);
        if (currentRoot > 1)
            full = current.substr(0, current[currentRoot - 1] == '/' ? currentRoot - 1 : currentRoot) + full;
    }
    full = LexicallyNormal(full);
    // A bare drive ("C:") is its root, written as every root is.
    if (IsRootPath(full) && full.back() != '/') full += '/';
    return full;
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

}  // namespace tarvoss
