#include "cipher/PendingJournals.h"

#include "cipher/WindowPlan.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <algorithm>
#include <filesystem>

namespace tarvoss {

unsigned PendingJournal::Percent() const {
    return static_cast<unsigned>(100 * windowsDone / std::max<std::uint64_t>(1, windowCount));
}

std::vector<PendingJournal> ListPendingJournals() {
    std::vector<std::string> paths;
    const std::string folder = JournalFolder();
    std::error_code error;
    if (!folder.empty())
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            if (entry.path().extension() == ".journal") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());

    std::vector<PendingJournal> pending;
    for (const std::string& path : paths) {
        PendingJournal item;
        item.journalPath = path;
        InPlaceJournal journal;
        bool found = false;
        std::uint64_t window = 0;
        std::vector<std::uint8_t> record;
        if (journal.Open(path, FileAccess::Read) && journal.NewestRecord(found, window, record)) {
            item.readable = true;
            item.header = journal.Header();
            const WindowPlan plan(item.header.direction, item.header.layout,
                                  static_cast<std::size_t>(item.header.windowBytes));
            item.windowCount = plan.Count();
            // The newest recorded window may be only partly written.
            item.windowsDone = found ? window : 0;
        } else {
            item.error = GetLastError();
        }
        pending.push_back(std::move(item));
    }
    return pending;
}

std::string PendingJournalsNotice(const std::vector<PendingJournal>& pending) {
    std::string files;
    for (const PendingJournal& item : pending) {
        // A journal whose header never became whole: its file was not changed.
        if (!item.readable && IsError(item.error, ErrorCondition::BadData)) continue;
        if (item.readable)
            files += "\"" + item.header.path + "\" (" +
                     (item.header.direction == Direction::Encrypt ? "encryption, " : "decryption, ") +
                     std::to_string(item.Percent()) + " %)\r\n";
        else
            files += "A journal that cannot be read: \"" + item.journalPath + "\"\r\n";
    }
    if (files.empty()) return {};
    return "An in-place run was interrupted and left these files partly transformed:\r\n" + files +
           "Each is finished the next time a run with the same key reaches it, or by \"tarvoss-cli recover\".";
}

bool DiscardJournal(const std::string& journalPath) {
    return DeleteFile(journalPath) && SyncDirectory(ParentFolder(journalPath));
}

}  // namespace tarvoss
