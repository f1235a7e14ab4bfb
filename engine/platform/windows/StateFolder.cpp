// The program's state folder on Windows: %LOCALAPPDATA%\Tarvoss, the user's
// own folder for data of this machine that roams nowhere.

#include "platform/StateFolder.h"

#include <vector>

#include "platform/LastError.h"
#include "platform/PathText.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {

std::string StateFolderPath() {
    const DWORD needed = ::GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (needed == 0) return {};
    std::vector<wchar_t> buffer(needed);
    const DWORD length = ::GetEnvironmentVariableW(L"LOCALAPPDATA", buffer.data(), needed);
    if (length == 0 || length >= needed) return {};
    std::string folder = EnginePathOf(NarrowOf(std::wstring_view(buffer.data(), length)));
    // Only a full path: a relative one would move with the current folder.
    if (PathRootLength(folder) < 2) return {};
    while (folder.size() > 3 && folder.back() == '/') folder.pop_back();
    if (folder.back() != '/') folder += '/';
    folder.append("Tarvoss");
    return folder;
}

// The mode is POSIX's: a folder under the user's profile is the user's alone.
bool MakeFolderTree(std::string_view path, unsigned) {
    const std::size_t root = PathRootLength(path);
    if (path.empty() || root == 0) return FailWith(ErrorCondition::NotFound);
    // Each folder from the top down: the first missing one and all below it
    // are made; one made meanwhile by another process is fine.
    for (std::size_t end = root + 1; end <= path.size(); ++end) {
        if (end != path.size() && path[end] != '/') continue;
        const std::wstring part = SystemPathOf(std::string(path.substr(0, end)));
        if (!::CreateDirectoryW(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return FailWithSystemError();
        const DWORD attributes = ::GetFileAttributesW(part.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return FailWithSystemError();
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return FailWith(ErrorCondition::NotFolder);
    }
    return true;
}

bool EnsureStateFolder(std::string_view subFolder, std::string& path) {
    std::string folder = StateFolderPath();
    if (folder.empty()) return FailWith(ErrorCondition::NotFound);
    if (!subFolder.empty()) {
        folder += '/';
        folder.append(subFolder);
    }
    if (!MakeFolderTree(folder, 0700)) return false;
    path = std::move(folder);
    return true;
}

}  // namespace tarvoss
