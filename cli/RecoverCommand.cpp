#include "RecoverCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "KeyArgument.h"
#include "batch/InPlaceItem.h"
#include "batch/ListedPath.h"
#include "batch/RunTexts.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"
#include "cipher/KeyWipe.h"
#include "cipher/PendingJournals.h"
#include "cipher/TemporaryCopies.h"
#include "common/ShownName.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss::cli {
namespace {

constexpr int kAllFinished = 0;
constexpr int kSomethingLeft = 1;
constexpr int kBadKey = 2;

const char* Noun(Direction direction) { return direction == Direction::Encrypt ? "encryption" : "decryption"; }

std::string Reason(int code) {
    std::string text = DescribeError(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

int List() {
    const std::vector<PendingJournal> pending = ListPendingJournals();
    if (pending.empty()) {
        std::puts("No in-place transform is waiting to be finished.");
        return kAllFinished;
    }
    bool any = false;
    for (const PendingJournal& item : pending) {
        // A creation cut short: its file was never changed.
        if (item.state == JournalState::NeverStarted) continue;
        any = true;
        if (item.state == JournalState::Pending)
            std::printf("%s %3u%% \"%s\" (journal \"%s\")\n", Noun(item.header.direction), item.Percent(),
                        ShownPath(item.header.path).c_str(), ShownPath(item.journalPath).c_str());
        else if (IsError(item.error, ErrorCondition::BadData))
            std::printf("damaged journal \"%s\": it fails its checks, so its file is left alone\n",
                        ShownPath(item.journalPath).c_str());
        else
            std::printf("unreadable journal \"%s\": %s\n", ShownPath(item.journalPath).c_str(),
                        Reason(item.error).c_str());
    }
    if (!any) std::puts("No in-place transform is waiting to be finished.");
    return kAllFinished;
}

// Finishes one file; prints its line and, on failure, the reason.
bool Finish(FileProgress& progress, const std::string& path, const CipherKey& key) {
    std::printf("- Finishing \"%s\"... ", ShownPath(path).c_str());
    std::fflush(stdout);
    bool wasPending = false;
    const InPlaceResult finished = FinishPendingInPlace(progress, path, key, wasPending);
    if (finished) {
        std::puts(wasPending ? "OK" : "nothing to finish");
        RemoveTemporaryCopies(FolderOfPath(path));
        return true;
    }
    std::string detail = InPlaceFailureText(finished.Error());
    if (detail.empty()) detail = Reason(finished.Error().code);
    std::printf("Error:\n%s\n", detail.c_str());
    return false;
}

// The files of every journal; a journal whose file is gone or replaced is
// reported and left for the user to decide.
bool FinishAll(FileProgress& progress, const CipherKey& key) {
    bool all = true;
    for (const PendingJournal& item : ListPendingJournals()) {
        if (item.state == JournalState::NeverStarted) {
            // Of no use: its file was never changed.
            DiscardJournal(item.journalPath);
            continue;
        }
        if (item.state == JournalState::Damaged) {
            std::printf("- Journal \"%s\"... Error:\n%s\n", ShownPath(item.journalPath).c_str(),
                        IsError(item.error, ErrorCondition::BadData) ? RunTexts{}.inPlaceJournalDamaged.c_str()
                                                                     : Reason(item.error).c_str());
            all = false;
            continue;
        }
        FileIdentity identity;
        if (!GetFileIdentity(item.header.path, identity) || !(identity == item.header.identity)) {
            std::printf(
                "- Finishing \"%s\"... Error:\nThe file is no longer at this path; its journal \"%s\" is kept "
                "(\"recover --discard\" drops it).\n",
                ShownPath(item.header.path).c_str(), ShownPath(item.journalPath).c_str());
            all = false;
            continue;
        }
        all = Finish(progress, item.header.path, key) && all;
    }
    return all;
}

// The journal of `path`: by the file's device and inode while the file is
// there, else by the path its journal names.
// The full path of `path` with the links of its existing part resolved: a
// file that is gone is named in its folder, resolved as far as that exists.
std::string ResolvedAsFarAsItExists(const std::string& path) {
    if (EntryExists(path)) return ResolvedPath(path);
    const std::string normal = NormalisePath(path);
    const std::string folder = ParentFolder(normal);
    if (folder.empty() || folder == normal) return normal;
    std::string resolved = ResolvedAsFarAsItExists(folder);
    if (resolved.empty() || resolved.back() != '/') resolved += '/';
    return resolved + normal.substr(FolderOfPath(normal).size());
}

std::vector<std::string> JournalsOf(const std::string& path) {
    FileIdentity identity;
    if (GetFileIdentity(path, identity)) {
        const std::string journal = JournalPathFor(identity);
        if (!journal.empty() && PathIsTaken(journal)) return {journal};
    }
    std::vector<std::string> found;
    // As the journal names it: absolute, through links, as far as there is a path.
    const std::string absolute = ResolvedAsFarAsItExists(path);
    for (const PendingJournal& item : ListPendingJournals())
        if (item.state == JournalState::Pending && item.header.path == absolute) found.push_back(item.journalPath);
    return found;
}

// Drops the journals of the files; their files are not touched.
int Discard(const std::vector<std::string>& paths) {
    bool all = true;
    for (const std::string& given : paths) {
        const std::string path = NormalisePath(given);
        std::printf("- Dropping the journal of \"%s\"... ", ShownPath(path).c_str());
        const std::vector<std::string> journals = JournalsOf(path);
        if (journals.empty()) std::puts("no journal");
        bool dropped = true;
        for (const std::string& journal : journals) dropped = DiscardJournal(journal) && dropped;
        if (!journals.empty() && dropped) std::puts("OK");
        if (!dropped) std::printf("Error:\n%s\n", Reason(GetLastError()).c_str());
        all = all && dropped;
    }
    return all ? kAllFinished : kSomethingLeft;
}

}  // namespace

int RunRecover(const CliOptions& options) {
    if (options.list) return List();
    if (options.discard) return Discard(options.paths);
    std::string error;
    CipherKey key;
    if (!ReadKey(options.keyType, options.keyLength, options.key, key, error)) {
        std::fprintf(stderr, "tarvoss-cli: %s\n", error.c_str());
        return kBadKey;
    }
    FileProgress progress{0};
    bool all = true;
    if (options.paths.empty()) {
        all = FinishAll(progress, key);
    } else {
        for (const std::string& path : options.paths) all = Finish(progress, NormalisePath(path), key) && all;
    }
    return all ? kAllFinished : kSomethingLeft;
}

}  // namespace tarvoss::cli
