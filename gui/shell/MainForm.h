#pragma once
// The main window: a fixed-size window with the page toolbar on the left, the
// three pages in a container on the right, a menu bar and a status bar.
//
// Controls carry their names as object names (mnuFileAddFiles, lblTlFiles,
// sbMain, ...), so that the language texts and the tests find them by name.

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Wizard.h"
#include "shell/InterruptedRunOffer.h"

class QAction;
class QLabel;
class QTimer;

namespace tarvoss {

class LanguageSteps;
class MessageBoxes;
class RunChoices;
class TframFiles;
class TframGo;
class TframParams;
class TfrmAbout;
class TfrmKeyGen;
class TfrmOptions;
class ToolbarButton;

// Makes the pages; an empty member makes the page of the program. The Files
// and Parameters pages edit the window's choices; every page shows its
// messages in the window's boxes.
struct PageFactory {
    std::function<TframFiles*(MessageBoxes&, QWidget*, RunChoices&)> files;
    std::function<TframParams*(MessageBoxes&, QWidget*, RunChoices&)> params;
    std::function<TframGo*(MessageBoxes&, QWidget*)> go;
};

// The pages' wizard: it owns the choices the pages share, and a page reaches
// them, the Settings dialog and the status line only through the Wizard
// interface, never through this class.
class TfrmMain : public QMainWindow, public Wizard {
    Q_OBJECT
public:
    // Creates the window and its pages (Files, Parameters, Go!), and hands
    // each path given on the command line (`paths`, in their order) to the
    // Files page. The window and its pages show their messages in `boxes`
    // (not owned).
    TfrmMain(MessageBoxes& boxes, const std::vector<std::string>& paths, const PageFactory& pages = {});
    ~TfrmMain() override;

    // The dialogs the menus show; created after the window. The first tick
    // of the load timer waits until they are here.
    void AttachDialogs(TfrmKeyGen* keyGen, TfrmAbout* about, TfrmOptions* options);
    // The language steps of the full load (not owned); none: built-in texts.
    void SetLanguageSteps(LanguageSteps* steps);

    // The full load of settings, texts and layout into all windows.
    void ApplyLanguageAndSettings();
    // Shows page 1, 2 or 3 with its hint in the status bar.
    void SelectPage(int page) override;
    int SelectedPage() const { return selectedPage_; }
    // Chooses the action (0 Encryption, 1 Decryption), shows the Go! page and
    // runs its Start action.
    void StartWithAction(int action);

    QString StatusText() const override;
    void SetStatusText(const QString& text) override;
    QString CloseQueryText() const { return closeQuery_; }
    void SetCloseQueryText(const QString& text) { closeQuery_ = text; }
    // The words of the notice about interrupted runs, which the language replaces.
    InterruptedRunWords& InterruptedWords() { return interruptedWords_; }

    // A menu or menu item whose caption is the language text of `key`.
    struct TextedAction {
        std::string_view key;
        QAction* action;
    };
    // The window's menus and items with a language text, as it made them.
    const std::vector<TextedAction>& TextedActions() const { return textedActions_; }
    // The View menu's items for the pages, in page order.
    const std::array<QAction*, 3>& PageItems() const { return pageItems_; }
    // The caption of the toolbar button of page 1, 2 or 3.
    QLabel* ToolbarCaption(int page) const;

    TframFiles* framFiles() const { return framFiles_; }
    TframParams* framParams() const { return framParams_; }
    TframGo* framGo() const { return framGo_; }
    TfrmKeyGen* frmKeyGen() const { return keyGen_; }
    TfrmAbout* frmAbout() const { return about_; }
    TfrmOptions* frmOptions() const { return options_; }

    // The boxes the window, its pages and its dialogs show their messages in.
    MessageBoxes& Boxes() { return boxes_; }

    RunChoices& Choices() override { return *choices_; }
    TfrmOptions* SettingsDialog() override { return options_; }
    bool KeyGeneratorShown() const override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateToolbar(QWidget* client);
    void CreatePages(QWidget* client, const PageFactory& pages);
    void CreateMenus();
    void LayoutToolbar();
    void CentreOnScreen();
    void tmrLoadLangTimer();
    // Runs `leave` (closing the window or ending the program); during a run
    // first keeps the window on screen, disabled, with "Please wait..." until
    // the worker has finished the file in hand.
    void LeaveAfterRun(std::function<void()> leave);
    void mnuToolsASPClick();

    MessageBoxes& boxes_;
    RunChoices* choices_;
    std::array<ToolbarButton*, 3> toolbar_{};
    std::vector<TextedAction> textedActions_;
    std::array<QAction*, 3> pageItems_{};
    // The control of each page that had the focus when the page was hidden.
    std::array<QPointer<QWidget>, 3> pageFocus_{};
    TframFiles* framFiles_ = nullptr;
    TframParams* framParams_ = nullptr;
    TframGo* framGo_ = nullptr;
    TfrmKeyGen* keyGen_ = nullptr;
    TfrmAbout* about_ = nullptr;
    TfrmOptions* options_ = nullptr;
    LanguageSteps* languageSteps_ = nullptr;
    QTimer* tmrLoadLang_ = nullptr;
    QAction* mnuToolsASP_ = nullptr;
    QString closeQuery_;
    InterruptedRunWords interruptedWords_ = EnglishInterruptedRunWords();
    int selectedPage_ = kNoPage;
    bool waitingToLeave_ = false;
    bool closing_ = false;
};

}  // namespace tarvoss
