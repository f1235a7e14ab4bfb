#include "settings/MainFormTexts.h"

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
    texts.Add({section, "Message.CloseQuery", &main, [&main] { return main.CloseQueryText(); },
               [&main](const QString& text) { main.SetCloseQueryText(text); }, {}});
    texts.AddLabel(section, "Toolbar.lblFiles", Caption(main, "lblTlFiles"));
    texts.AddLabel(section, "Toolbar.lblParams", Caption(main, "lblTlParams"));
    texts.AddLabel(section, "Toolbar.lblGo", Caption(main, "lblTlGo"));

    texts.AddAction(section, "Menu.File", Menu(main, "mnuFile"));
    texts.AddAction(section, "Menu.File.AddFiles", Item(main, "mnuFileAddFiles"));
    texts.AddAction(section, "Menu.File.AddFolder", Item(main, "mnuFileAddFolder"));
    texts.AddAction(section, "Menu.File.RemoveSelItem", Item(main, "mnuFileRemoveItemFromList"));
    texts.AddAction(section, "Menu.File.Encrypt", Item(main, "mnuFileEncrypt"));
    texts.AddAction(section, "Menu.File.Decrypt", Item(main, "mnuFileDecrypt"));
    texts.AddAction(section, "Menu.File.Exit", Item(main, "mnuFileExit"));

    texts.AddAction(section, "Menu.View", Menu(main, "mnuView"));
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

    texts.AddAction(section, "Menu.Tools", Menu(main, "mnuTools"));
    texts.AddAction(section, "Menu.Tools.KeyGen", Item(main, "mnuToolsKeyGen"));
    texts.AddAction(section, "Menu.Help", Menu(main, "mnuHelp"));
    texts.AddAction(section, "Menu.Help.Contents", Item(main, "mnuHelpContents"));
    texts.AddAction(section, "Menu.Help.TSOnTheWeb", Item(main, "mnuHelpTSOnTheWeb"));
    texts.AddAction(section, "Menu.Help.About", Item(main, "mnuHelpAbout"));
}

}  // namespace tarvoss
