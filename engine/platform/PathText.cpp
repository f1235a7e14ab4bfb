#include "platform/PathText.h"

#include <algorithm>
#include <vector>

namespace tarvoss {

bool IsRootPath(std::string_view path) { return !path.empty() && PathRootLength(path) == path.size(); }

std::string LexicallyNormal(std::string_view path) {
    const std::size_t rootLength = PathRootLength(path);
    std::string normal(path.substr(0, rootLength));
    std::vector<std::string_view> parts;
    std::size_t at = rootLength;
    while (at <= path.size()) {
        std::size_t end = path.find('/', at);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(at, end - at);
        if (part == "..") {
            // Above a root is the root; above the start of a relative path
            // the ".." stays.
            if (!parts.empty() && parts.back() != "..") {
                parts.pop_back();
            } else if (rootLength == 0) {
                parts.push_back(part);
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) normal += '/';
        normal += parts[i];
    }
    return normal;
}

std::string FolderOfPath(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string ParentFolder(std::string_view path) {
    std::string folder = FolderOfPath(path);
    if (folder.size() > PathRootLength(folder)) folder.pop_back();
    return folder;
}

std::string BackslashedPath(std::string_view path) {
    std::string shown(path);
    std::replace(shown.begin(), shown.end(), '/', '\\');
    return shown;
}

}  // namespace tarvoss
