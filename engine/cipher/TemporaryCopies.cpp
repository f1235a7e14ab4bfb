#include "cipher/TemporaryCopies.h"

#include "platform/DirectorySearch.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <mutex>
#include <random>
#include <set>

namespace tarvoss {

namespace {

constexpr std::string_view kPrefix = ".tarvoss-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kHexDigits = 16;

}  // namespace

std::string TemporaryCopyName(const std::string& destination) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    char name[32];
    std::snprintf(name, sizeof name, ".tarvoss-%016llx.tmp", static_cast<unsigned long long>(random()));
    return FolderOfPath(destination) + name;
}

bool IsTemporaryCopyName(std::string_view name) {
    if (name.size() != kPrefix.size() + kHexDigits + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    for (const char c : name.substr(kPrefix.size(), kHexDigits))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

std::size_t RemoveTemporaryCopies(const std::string& folder) {
    std::size_t removed = 0;
    std::vector<DirectoryEntry> entries;
    if (!ListDirectory(folder.empty() ? "." : folder, entries)) return removed;
    for (const DirectoryEntry& entry : entries) {
        if (!IsTemporaryCopyName(entry.name) || entry.kind != EntryKind::File) continue;
        const std::string path = folder + entry.name;
        FileRecord file;
        file.access = FileAccess::Read;
        file.showErrors = false;
        // A copy that another run is writing holds its lock.
        if (file.Open(path) && file.TryLockExclusive() && DeleteFile(path)) ++removed;
    }
    return removed;
}

void RemoveTemporaryCopiesOnce(const std::string& folder) {
    static std::mutex mutex;
    static std::set<std::string> done;
    {
        std::lock_guard lock(mutex);
        if (!done.insert(folder).second) return;
    }
    RemoveTemporaryCopies(folder);
}

}  // namespace tarvoss
