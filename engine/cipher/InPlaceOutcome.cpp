#include "cipher/InPlaceOutcome.h"

#include "platform/LastError.h"

namespace tarvoss {
namespace {

std::string Reason(int code) {
    std::string text = DescribeError(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

const char* Noun(Direction direction) { return direction == Direction::Encrypt ? "encryption" : "decryption"; }

}  // namespace

InPlaceReport& LastInPlaceReport() {
    thread_local InPlaceReport report;
    return report;
}

std::string InPlaceFailureText(const InPlaceReport& report) {
    switch (report.outcome) {
    case InPlaceOutcome::Done: return {};
    case InPlaceOutcome::Locked: return "The file is being transformed by another run. It was left unchanged.";
    case InPlaceOutcome::JournalUnwritable:
        return "The recovery journal cannot be written (" + Reason(report.code) + "). The file was left unchanged.";
    case InPlaceOutcome::JournalUnreadable:
        if (IsError(report.code, ErrorCondition::BadData))
            return "The file has an unfinished transform, but its recovery journal does not fit it (the file was "
                   "changed or replaced since). The file was left unchanged; \"tarvoss-cli recover --list\" "
                   "names the journal.";
        return "The file has an unfinished transform, but its recovery journal cannot be used (" + Reason(report.code) +
               "). The file was left unchanged.";
    case InPlaceOutcome::WrongKey:
        return "The file has an unfinished " + std::string(Noun(report.pending)) +
               " under another key. Use that key to finish it. The file was left unchanged.";
    case InPlaceOutcome::FinishedOtherWay:
        return "The file had an unfinished " + std::string(Noun(report.pending)) +
               ", which is now finished instead. Run again to transform it further.";
    case InPlaceOutcome::Unfinished:
        return Reason(report.code) +
               " The file is only partly transformed; its recovery journal is kept. "
               "Once the fault is mended, \"tarvoss-cli recover\" or another run on the file finishes it.";
    }
    return {};
}

}  // namespace tarvoss
