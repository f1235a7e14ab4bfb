#include "common/SplitPath.h"

#include <utility>

#include "platform/FileSystem.h"

namespace tarvoss {

bool SplitPath(std::string_view path, std::string& folder, std::string& name) {
    std::string folderPart = FolderOfPath(path);
    if (folderPart.empty()) return false;
    name.assign(path.substr(folderPart.size()));
    if (name.empty()) name.assign(kDiskRootName);
    folder = std::move(folderPart);
    return true;
}

}  // namespace tarvoss
