#include "shell/MainFormTexts.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "lang/LanguageKeys.h"
#include "settings/OptionsForm.h"
#include "settings/TextCatalogue.h"
#include "shell/MainForm.h"

namespace tarvoss {
namespace {

QAction* Item(TfrmMain& main, const char* name) { return main.findChild<QAction*>(name); }

QAction* Menu(TfrmMain& main, const char* name) {
    QMenu* menu = main.findChild<QMenu*>(name);
    return menu != nullptr ? menu->menuAction() : nullptr;
}

QLabel* Caption(TfrmMain& main, const char* name) { return main.findChild<QLabel*>(name); }

}  // namespace

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
    texts.AddLabel(section, "Toolbar.lblFiles", Caption(main, "lblTlFiles"));
    texts.AddLabel(section, "Toolbar.lblParams", Caption(main, "lblTlParams"));
    texts.AddLabel(section, "Toolbar.lblGo", Caption(main, "lblTlGo"));

    // Menus and menu items without a further step: key, object name.
    const std::pair<const char*, const char*> menus[] = {
        {"Menu.File", "mnuFile"},
        {"Menu.View", "mnuView"},
        {"Menu.Tools", "mnuTools"},
        {"Menu.Help", "mnuHelp"},
    };
    const std::pair<const char*, const char*> items[] = {
        {"Menu.File.AddFiles", "mnuFileAddFiles"},
        {"Menu.File.AddFolder", "mnuFileAddFolder"},
        {"Menu.File.RemoveSelItem", "mnuFileRemoveItemFromList"},
        {"Menu.File.Encrypt", "mnuFileEncrypt"},
        {"Menu.File.Decrypt", "mnuFileDecrypt"},
        {"Menu.File.Exit", "mnuFileExit"},
        {"Menu.Tools.KeyGen", "mnuToolsKeyGen"},
        {"Menu.Help.Contents", "mnuHelpContents"},
        {"Menu.Help.TSOnTheWeb", "mnuHelpTSOnTheWeb"},
        {"Menu.Help.About", "mnuHelpAbout"},
    };
    for (const auto& [key, name] : menus) texts.AddAction(section, key, Menu(main, name));
    for (const auto& [key, name] : items) texts.AddAction(section, key, Item(main, name));

    // The page items repeat the toolbar's captions.
    texts.AddAction(section, "Menu.View.Pages", Menu(main, "mnuViewPages"), [&main] {
        const std::pair<const char*, const char*> pages[] = {
            {"mnuViewPagesFiles", "lblTlFiles"},
            {"mnuViewPagesParams", "lblTlParams"},
            {"mnuViewPagesGo", "lblTlGo"},
        };
        for (const auto& [item, caption] : pages) {
            QAction* action = Item(main, item);
            QLabel* label = Caption(main, caption);
            if (action != nullptr && label != nullptr) action->setText(label->text());
        }
    });
    // The Settings dialog's caption is the menu item's text.
    texts.AddAction(section, "Menu.View.Settings", Item(main, "mnuViewSettings"), [&main] {
        QAction* action = Item(main, "mnuViewSettings");
        if (main.frmOptions() != nullptr && action != nullptr) main.frmOptions()->setWindowTitle(action->text());
    });
}

}  // namespace tarvoss
