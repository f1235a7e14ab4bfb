#include "batch/InPlaceItem.h"

#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

constexpr std::string_view kReachedAgain =
    "The file was already transformed in this run (it was reached again through another row, folder or link). "
    "It was not transformed twice.";

}  // namespace

std::string InPlaceDetail(const InPlaceReport& report, const RunTexts& texts) {
    switch (report.outcome) {
    case InPlaceOutcome::FileChanged: return texts.inPlaceFileChanged;
    case InPlaceOutcome::JournalDamaged: return texts.inPlaceJournalDamaged;
    case InPlaceOutcome::LengthChanged: return texts.inPlaceLengthChanged;
    case InPlaceOutcome::JournalNotRemoved: {
        std::string reason = DescribeError(report.code);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
        return texts.inPlaceJournalNotRemoved + " " + reason;
    }
    default: return InPlaceFailureText(report);
    }
}

bool TransformItemInPlace(BatchRun& run, Direction direction, const std::string& path, std::string& detail) {
    FileIdentity identity;
    if (GetFileIdentity(path, identity) && !run.inPlaceFiles.insert({identity.device, identity.inode}).second) {
        detail = kReachedAgain;
        return false;
    }
    const auto transform = direction == Direction::Encrypt ? EncryptFileInPlace : DecryptFileInPlace;
    if (transform(run.cipher, path, run.cipher.key, kBlockWords, false)) return true;
    detail = InPlaceDetail(LastInPlaceReport(), run.texts);
    return false;
}

}  // namespace tarvoss
