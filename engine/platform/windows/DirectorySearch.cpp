#include "platform/DirectorySearch.h"

#include <algorithm>

#include "platform/LastError.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {

EntryKind KindOfAttributes(DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return EntryKind::Link;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return EntryKind::Folder;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return EntryKind::Special;
    return EntryKind::File;
}

bool ListFolder(const std::wstring& folder, std::vector<DirectoryEntry>& entries) {
    entries.clear();
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    const std::wstring prefix = pattern;
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty folder on a drive whose root has no "." entry.
        if (::GetLastError() == ERROR_FILE_NOT_FOUND) return true;
        return FailWithSystemError();
    }
    bool listed = true;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        // The identity of each entry, from the entry itself and never through
        // a reparse point: one that vanished meanwhile is left out.
        const HANDLE entry = OpenForLooking(prefix + name);
        if (entry == INVALID_HANDLE_VALUE) continue;
        ObjectIdentity identity;
        const bool known = IdentityOfHandle(entry, identity);
        ::CloseHandle(entry);
        if (!known) continue;
        entries.push_back({NarrowOf(name), KindOfAttributes(identity.attributes), identity.volume, identity.index});
    } while (::FindNextFileW(search, &found));
    if (::GetLastError() != ERROR_NO_MORE_FILES) listed = FailWithSystemError();
    ::FindClose(search);
    if (!listed) return false;
    std::sort(entries.begin(), entries.end(),
              [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
    return true;
}

bool ListDirectory(const std::string& folder, std::vector<DirectoryEntry>& entries) {
    return ListFolder(SystemPathOf(folder), entries);
}

}  // namespace tarvoss
