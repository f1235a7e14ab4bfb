#include "shell/InterruptedRunOffer.h"

#include <QLineEdit>

#include "common/MessageBoxes.h"
#include "desktop/ProductInfo.h"
#include "lang/LanguageKeys.h"
#include "pages/FrameFiles.h"
#include "pages/FrameParams.h"
#include "platform/LastError.h"
#include "settings/TextCatalogue.h"
#include "shell/MainForm.h"

namespace tarvoss {
namespace {

constexpr char kInformationCaption[] = "Information";
constexpr char kErrorCaption[] = "Error";

std::string Std(const QString& text) { return text.toStdString(); }

InterruptedRunTexts NoticeTexts(const InterruptedRunWords& words) {
    return {Std(words.head), Std(words.encryption), Std(words.decryption), Std(words.unreadableJournal),
            Std(words.howToFinish)};
}

// Puts the waiting files of the first file's direction in the list, with the
// options that finish them, and leaves the user at the key.
void PutInTheList(TfrmMain& main, const std::vector<InterruptedFile>& waiting) {
    const Direction direction = waiting.front().direction;
    for (const InterruptedFile& file : waiting) {
        if (file.direction == direction) main.framFiles()->AddPath(file.path);
    }
    main.framFiles()->ChooseInPlace();
    TframParams& params = *main.framParams();
    params.SelectAction(direction == Direction::Encrypt ? 0 : 1);
    params.lstActionClick();
    main.SelectPage(Wizard::kParamsPage);
    params.KeyPart(1)->setFocus(Qt::OtherFocusReason);
}

void DropJournalsOfGoneFiles(MessageBoxes& boxes, const std::vector<InterruptedFile>& gone,
                             const InterruptedRunWords& words) {
    std::string text = Std(words.gone) + "\r\n";
    for (const InterruptedFile& file : gone) text += "\"" + file.path + "\"\r\n";
    if (!boxes.AskQuestion(text + "\r\n" + Std(words.dropJournals), kProductName)) return;
    for (const InterruptedFile& file : gone) {
        if (DiscardJournal(file.journalPath)) continue;
        boxes.ShowError(Std(words.dropFailed) + " \"" + file.journalPath + "\"\r\n" + DescribeError(GetLastError()),
                        kErrorCaption);
    }
}

}  // namespace

InterruptedRunWords EnglishInterruptedRunWords() {
    const auto english = [](std::string_view key) { return EnglishText(kMainFormSection, key); };
    return {english("Message.InterruptedRun"),
            english("Message.InterruptedRun.Encryption"),
            english("Message.InterruptedRun.Decryption"),
            english("Message.InterruptedRun.UnreadableJournal"),
            english("Message.InterruptedRun.HowToFinish"),
            english("Message.InterruptedRun.Offer"),
            english("Message.InterruptedRun.Gone"),
            english("Message.InterruptedRun.DropJournals"),
            english("Message.InterruptedRun.DropFailed")};
}

void OfferToFinishInterruptedRuns(TfrmMain& main, const InterruptedRuns& runs, const InterruptedRunWords& words) {
    if (const std::string notice = PendingJournalsNotice(runs, NoticeTexts(words)); !notice.empty()) {
        if (runs.waiting.empty()) {
            main.Boxes().ShowInformation(notice, kInformationCaption);
        } else {
            const QString action =
                runs.waiting.front().direction == Direction::Encrypt ? words.encryption : words.decryption;
            QString offer = words.offer;
            offer.replace("%action%", action);
            if (main.Boxes().AskQuestion(notice + "\r\n\r\n" + Std(offer), kProductName))
                PutInTheList(main, runs.waiting);
        }
    }
    if (!runs.gone.empty()) DropJournalsOfGoneFiles(main.Boxes(), runs.gone, words);
}

}  // namespace tarvoss
