#include "common/SplitPath.h"

namespace tarvoss {

bool SplitPath(std::string_view path, std::string& folder, std::string& name) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return false;
    folder.assign(path.substr(0, slash + 1));
    name.assign(path.substr(slash + 1));
    if (name.empty()) name.assign(kDiskRootName);
    return true;
}

}  // namespace tarvoss
