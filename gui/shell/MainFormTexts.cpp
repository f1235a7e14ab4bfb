#include "shell/MainFormTexts.h"

#include <QAction>
#include <QLabel>
#include <functional>

#include "lang/LanguageKeys.h"
#include "settings/OptionsForm.h"
#include "settings/TextCatalogue.h"
#include "shell/MainForm.h"

namespace tarvoss {

void AddMainFormTexts(TfrmMain& main, TextCatalogue& texts) {
    const std::string_view section = kMainFormSection;
    texts.Add({section,
               "Message.CloseQuery",
               &main,
               [&main] { return main.CloseQueryText(); },
               [&main](const QString& text) { main.SetCloseQueryText(text); },
               {}});
    InterruptedRunWords& words = main.InterruptedWords();
    const std::pair<const char*, QString*> notice[] = {
        {"Message.InterruptedRun", &words.head},
        {"Message.InterruptedRun.Encryption", &words.encryption},
        {"Message.InterruptedRun.Decryption", &words.decryption},
        {"Message.InterruptedRun.UnreadableJournal", &words.unreadableJournal},
        {"Message.InterruptedRun.HowToFinish", &words.howToFinish},
        {"Message.InterruptedRun.Offer", &words.offer},
        {"Message.InterruptedRun.Gone", &words.gone},
        {"Message.InterruptedRun.DropJournals", &words.dropJournals},
        {"Message.InterruptedRun.DropFailed", &words.dropFailed},
    };
    for (const auto& [key, text] : notice) texts.AddStoredText(section, key, &main, text);
    texts.AddLabel(section, "Toolbar.lblFiles", main.ToolbarCaption(TfrmMain::kFilesPage));
    texts.AddLabel(section, "Toolbar.lblParams", main.ToolbarCaption(TfrmMain::kParamsPage));
    texts.AddLabel(section, "Toolbar.lblGo", main.ToolbarCaption(TfrmMain::kGoPage));

    for (const TfrmMain::TextedAction& texted : main.TextedActions()) {
        QAction* action = texted.action;
        std::function<void()> then;
        if (texted.key == "Menu.View.Pages") {
            // The page items repeat the toolbar's captions.
            then = [&main] {
                for (int page = TfrmMain::kFilesPage; page <= TfrmMain::kGoPage; ++page) {
                    main.PageItems()[page - 1]->setText(main.ToolbarCaption(page)->text());
                }
            };
        } else if (texted.key == "Menu.View.Settings") {
            // The Settings dialog's caption is the menu item's text.
            then = [&main, action] {
                if (main.frmOptions() != nullptr) main.frmOptions()->setWindowTitle(action->text());
            };
        }
        texts.AddAction(section, texted.key, action, std::move(then));
    }
}

}  // namespace tarvoss
