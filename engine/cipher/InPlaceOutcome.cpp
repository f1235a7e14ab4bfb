#include "cipher/InPlaceOutcome.h"

#include "platform/LastError.h"

#include <string_view>

namespace tarvoss {
namespace {

std::string Reason(int code) {
    std::string text = DescribeError(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// `text` with its "%reason%" replaced by the system's description of `code`.
std::string WithReason(std::string text, int code) {
    static constexpr std::string_view kReason = "%reason%";
    const std::size_t at = text.find(kReason);
    if (at != std::string::npos) text.replace(at, kReason.size(), Reason(code));
    return text;
}

}  // namespace

std::string InPlaceFailureText(const InPlaceReport& report, const InPlaceTexts& texts) {
    const bool encryption = report.pending == Direction::Encrypt;
    switch (report.outcome) {
    case InPlaceOutcome::Done: return {};
    case InPlaceOutcome::Locked: return texts.inPlaceLocked;
    case InPlaceOutcome::JournalUnwritable: return WithReason(texts.inPlaceJournalUnwritable, report.code);
    case InPlaceOutcome::JournalUnreadable: return WithReason(texts.inPlaceJournalUnreadable, report.code);
    case InPlaceOutcome::WrongKey:
        return encryption ? texts.inPlaceWrongKeyEncryption : texts.inPlaceWrongKeyDecryption;
    case InPlaceOutcome::FinishedOtherWay:
        return encryption ? texts.inPlaceFinishedEncryption : texts.inPlaceFinishedDecryption;
    case InPlaceOutcome::Unfinished: return WithReason(texts.inPlaceUnfinished, report.code);
    case InPlaceOutcome::JournalDamaged: return texts.inPlaceJournalDamaged;
    case InPlaceOutcome::FileChanged: return texts.inPlaceFileChanged;
    case InPlaceOutcome::LengthChanged: return texts.inPlaceLengthChanged;
    case InPlaceOutcome::JournalNotRemoved: return texts.inPlaceJournalNotRemoved + " " + Reason(report.code);
    }
    return {};
}

}  // namespace tarvoss
