#include "batch/DiskRoots.h"

#include "platform/PathText.h"

namespace tarvoss {

std::string DriveCut(const std::string& root) {
    if (!root.empty() && root.back() == '/') return root.substr(0, root.size() - 1);
    return root;
}

std::string DiskFolderName(const std::string& root) {
    // A drive root ("C:/") is named by its letter alone.
    if (IsRootPath(root) && root.size() >= 2 && root[1] == ':') return "[ Disk " + root.substr(0, 1) + " ]";
    const std::string cut = DriveCut(root);
    const auto slash = cut.rfind('/');
    const std::string last = slash == std::string::npos ? cut : cut.substr(slash + 1);
    return "[ Disk " + (last.empty() ? std::string("root") : last) + " ]";
}

}  // namespace tarvoss
