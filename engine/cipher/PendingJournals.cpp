#include "cipher/PendingJournals.h"

#include "cipher/WindowPlan.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <algorithm>
#include <cerrno>
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

InterruptedRuns SortInterruptedRuns(const std::vector<PendingJournal>& pending) {
    InterruptedRuns runs;
    for (const PendingJournal& item : pending) {
        // A journal whose header never became whole: its file was not changed.
        if (!item.readable && item.error == EILSEQ) continue;
        if (!item.readable) {
            runs.unreadableJournals.push_back(item.journalPath);
            continue;
        }
        InterruptedFile file{item.header.path, item.journalPath, item.header.direction, item.Percent()};
        FileIdentity identity;
        // Only a path where nothing is counts as gone: any other failure may
        // pass, and the file must not lose its journal over it.
        const bool gone = !GetFileIdentity(file.path, identity) && GetLastError() == ENOENT;
        (gone ? runs.gone : runs.waiting).push_back(std::move(file));
    }
    return runs;
}

std::string PendingJournalsNotice(const InterruptedRuns& runs, const InterruptedRunTexts& texts) {
    if (runs.waiting.empty() && runs.unreadableJournals.empty()) return {};
    std::string notice;
    if (!runs.waiting.empty()) {
        notice += texts.head + "\r\n";
        for (const InterruptedFile& file : runs.waiting)
            notice += "\"" + file.path + "\" (" +
                      (file.direction == Direction::Encrypt ? texts.encryption : texts.decryption) + ", " +
                      std::to_string(file.percent) + " %)\r\n";
    }
    for (const std::string& journal : runs.unreadableJournals)
        notice += texts.unreadableJournal + " \"" + journal + "\"\r\n";
    return notice + texts.howToFinish;
}

bool DiscardJournal(const std::string& journalPath) {
    return DeleteFile(journalPath) && SyncDirectory(ParentFolder(journalPath));
}

}  // namespace tarvoss
