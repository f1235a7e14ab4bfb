#include "cipher/PendingJournals.h"

#include "cipher/WindowPlan.h"
#include "platform/DirectorySearch.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tarvoss {

unsigned PendingJournal::Percent() const {
    return static_cast<unsigned>(100 * windowsDone / std::max<std::uint64_t>(1, windowCount));
}

namespace {

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A journal in the making is held (locked) by its run until it has its name.
bool HeldByARun(const std::string& path) {
    FileRecord file;
    file.access = FileAccess::Read;
    file.showErrors = false;
    file.refuseLinks = true;
    return file.Open(path) && !file.TryLockExclusive() && IsError(GetLastError(), ErrorCondition::Locked);
}

PendingJournal Examine(const std::string& path) {
    PendingJournal item;
    item.journalPath = path;
    if (EndsWith(path, kJournalCreationSuffix)) {
        item.state = JournalState::NeverStarted;
        return item;
    }
    InPlaceJournal journal;
    if (!journal.Open(path, FileAccess::Read)) {
        item.error = GetLastError();
        return item;
    }
    const JournalHeader& header = journal.Header();
    const WindowPlan plan(header.direction, header.layout, static_cast<std::size_t>(header.windowBytes));
    ResumePoint point;
    bool intact = false;
    if (!journal.FindResumePoint(plan, point, intact)) {
        item.error = GetLastError();
        return item;
    }
    if (!intact) {
        item.error = ErrorCode(ErrorCondition::BadData);
        return item;
    }
    item.state = JournalState::Pending;
    item.header = header;
    item.windowCount = plan.Count();
    // The newest recorded window may be only partly written.
    item.windowsDone = point.started ? point.newest : 0;
    return item;
}

}  // namespace

std::vector<PendingJournal> ListPendingJournals() {
    const std::string journalSuffix = ".journal";
    const std::string creationSuffix = journalSuffix + std::string(kJournalCreationSuffix);
    std::vector<std::string> paths;
    const std::string folder = JournalFolder();
    std::vector<DirectoryEntry> entries;
    if (!folder.empty() && ListDirectory(folder, entries))
        for (const DirectoryEntry& entry : entries) {
            const std::string path = folder + (folder.back() == '/' ? "" : "/") + entry.name;
            if (EndsWith(path, journalSuffix) || (EndsWith(path, creationSuffix) && !HeldByARun(path)))
                paths.push_back(path);
        }
    std::sort(paths.begin(), paths.end());

    std::vector<PendingJournal> pending;
    for (const std::string& path : paths) pending.push_back(Examine(path));
    return pending;
}

InterruptedRuns SortInterruptedRuns(const std::vector<PendingJournal>& pending) {
    InterruptedRuns runs;
    for (const PendingJournal& item : pending) {
        // A creation cut short: its file was never changed.
        if (item.state == JournalState::NeverStarted) continue;
        if (item.state == JournalState::Damaged) {
            runs.unreadableJournals.push_back(item.journalPath);
            continue;
        }
        InterruptedFile file{item.header.path, item.journalPath, item.header.direction, item.Percent()};
        FileIdentity identity;
        // Only a path where nothing is counts as gone: any other failure may
        // pass, and the file must not lose its journal over it.
        const bool gone = !GetFileIdentity(file.path, identity) && IsError(GetLastError(), ErrorCondition::NotFound);
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
