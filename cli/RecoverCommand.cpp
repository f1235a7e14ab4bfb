#include "RecoverCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include "KeyArgument.h"
#include "batch/ListedPath.h"
#include "cipher/InPlaceOutcome.h"
#include "cipher/InPlaceTransform.h"
#include "cipher/KeyWipe.h"
#include "cipher/PendingJournals.h"
#include "cipher/TemporaryCopies.h"
#include "common/ShownName.h"
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
    for (const PendingJournal& item : pending) {
        if (item.readable)
            std::printf("%s %3u%% \"%s\" (journal \"%s\")\n", Noun(item.header.direction), item.Percent(),
                        ShownName(item.header.path).c_str(), ShownName(item.journalPath).c_str());
        else if (IsError(item.error, ErrorCondition::BadData))
            std::printf("incomplete journal \"%s\": its file was never changed\n", ShownName(item.journalPath).c_str());
        else
            std::printf("unreadable journal \"%s\": %s\n", ShownName(item.journalPath).c_str(),
                        Reason(item.error).c_str());
    }
    return kAllFinished;
}

// Finishes one file; prints its line and, on failure, the reason.
bool Finish(CipherState& state, const std::string& path, const CipherKey& key) {
    std::printf("- Finishing \"%s\"... ", ShownName(path).c_str());
    std::fflush(stdout);
    bool wasPending = false;
    if (FinishPendingInPlace(state, path, key, wasPending)) {
        std::puts(wasPending ? "OK" : "nothing to finish");
        RemoveTemporaryCopies(FolderOfPath(path));
        return true;
    }
    std::string detail = InPlaceFailureText(LastInPlaceReport());
    if (detail.empty()) detail = Reason(GetLastError());
    std::printf("Error:\n%s\n", detail.c_str());
    return false;
}

// The files of every journal; a journal whose file is gone or replaced is
// reported and left for the user to decide.
bool FinishAll(CipherState& state, const CipherKey& key) {
    bool all = true;
    for (const PendingJournal& item : ListPendingJournals()) {
        if (!item.readable) {
            // A journal whose header never became whole: its file was not changed.
            if (IsError(item.error, ErrorCondition::BadData)) continue;
            std::printf("- Journal \"%s\"... Error:\n%s\n", ShownName(item.journalPath).c_str(),
                        Reason(item.error).c_str());
            all = false;
            continue;
        }
        FileIdentity identity;
        if (!GetFileIdentity(item.header.path, identity) || !(identity == item.header.identity)) {
            std::printf(
                "- Finishing \"%s\"... Error:\nThe file is no longer at this path; its journal \"%s\" is kept.\n",
                ShownName(item.header.path).c_str(), ShownName(item.journalPath).c_str());
            all = false;
            continue;
        }
        all = Finish(state, item.header.path, key) && all;
    }
    return all;
}

}  // namespace

int RunRecover(const CliOptions& options) {
    if (options.list) return List();
    std::string error;
    KeyEntry entry;
    CipherKey key{};
    const WipedAtExit<KeyEntry> wipeEntry(entry);
    const WipedAtExit<CipherKey> wipeKey(key);
    if (!ReadKey(options.keyType, options.keyLength, options.key, entry, error) || !AssembleKey(entry, key)) {
        std::fprintf(stderr, "tarvoss-cli: %s\n", error.empty() ? "the key cannot be used" : error.c_str());
        return kBadKey;
    }
    CipherState state;
    bool all = true;
    if (options.paths.empty()) {
        all = FinishAll(state, key);
    } else {
        for (const std::string& path : options.paths) all = Finish(state, NormalisePath(path), key) && all;
    }
    return all ? kAllFinished : kSomethingLeft;
}

}  // namespace tarvoss::cli
