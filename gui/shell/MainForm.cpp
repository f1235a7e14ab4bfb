#include "shell/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include "cipher/PendingJournals.h"
#include "common/MessageBoxes.h"
#include "desktop/LocalPaths.h"
#include "desktop/ProductInfo.h"
#include "desktop/ShellServices.h"
#include "dialogs/KeyGenForm.h"
#include "lang/LanguageKeys.h"
#include "model/RunChoices.h"
#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "pages/PageGeometry.h"
#include "run/GoTexts.h"
#include "settings/OptionsForm.h"
#include "settings/TextCatalogue.h"
#include "shell/AboutForm.h"
#include "shell/LanguageSteps.h"
#include "shell/MenuShortcutPriority.h"
#include "shell/ToolbarButton.h"
#include "widgets/Colours.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/MenuImages.h"

namespace tarvoss {
namespace {

constexpr int kClientWidth = 640;
constexpr int kStatusBarHeight = 19;

// Toolbar geometry in the client area: faces at left 10, tops 10, 70 and 130;
// images and captions centred on x = 57.
constexpr int kToolbarLeft = 10;
constexpr std::array<int, 3> kToolbarTops = {10, 70, 130};
constexpr int kToolbarCentreX = 57;

constexpr std::array<const char*, 3> kPageHints = {
    "Select files or folders you want to encrypt/decrypt",
    "Select algorithm and key parameters",
    "Click on the button to start encrypting/decrypting",
};

// The built-in English text of one of the window's keys.
QString English(std::string_view key) { return EnglishText(kMainFormSection, key); }

template <typename Page>
Page* MakePage(const std::function<Page*(MessageBoxes&, QWidget*)>& make, MessageBoxes& boxes, QWidget* container) {
    return make ? make(boxes, container) : new Page(boxes, container);
}

// A page that edits the choices.
template <typename Page>
Page* MakePage(const std::function<Page*(MessageBoxes&, QWidget*, RunChoices&)>& make, MessageBoxes& boxes,
               QWidget* container, RunChoices& choices) {
    return make ? make(boxes, container, choices) : new Page(boxes, container, &choices);
}

}  // namespace

TfrmMain::TfrmMain(MessageBoxes& boxes, const std::vector<std::string>& paths, const PageFactory& pages)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowCloseButtonHint),
      boxes_(boxes),
      choices_(new RunChoices(this)),
      closeQuery_(English("Message.CloseQuery")) {
    setObjectName("frmMain");
    setWindowTitle(kMainCaption);
    setFont(QFont("MS Sans Serif", 8));
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    client->setObjectName("clientArea");
    client->setFixedSize(kClientWidth, kPageHeight);
    setCentralWidget(client);
    CreateToolbar(client);
    CreatePages(client, pages);
    CreateMenus();
    new MenuShortcutPriority(this);

    auto* status = new QStatusBar(this);
    status->setObjectName("sbMain");
    status->setFixedHeight(kStatusBarHeight);
    status->setSizeGripEnabled(false);
    setStatusBar(status);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    CentreOnScreen();

    tmrLoadLang_ = new QTimer(this);
    tmrLoadLang_->setObjectName("tmrLoadLang");
    tmrLoadLang_->setInterval(1);
    connect(tmrLoadLang_, &QTimer::timeout, this, &TfrmMain::tmrLoadLangTimer);
    tmrLoadLang_->start();

    // Every argument is one path: the caller (a shell, a file manager's
    // "Open With" for several items) has already split the command line.
    for (const std::string& path : paths) framFiles_->AddPath(path);
}

TfrmMain::~TfrmMain() = default;

QLabel* TfrmMain::ToolbarCaption(int page) const {
    return page >= kFilesPage && page <= kGoPage ? toolbar_[page - 1]->label() : nullptr;
}

void TfrmMain::CreateToolbar(QWidget* client) {
    const ToolbarButton::Names names[] = {
        {"shpFiles", "imgTlFiles", "lblTlFiles"},
        {"shpParams", "imgTlParams", "lblTlParams"},
        {"shpGo", "imgTlGo", "lblTlGo"},
    };
    const QString captions[] = {English("Toolbar.lblFiles"), English("Toolbar.lblParams"), English("Toolbar.lblGo")};
    const MenuImage images[] = {MenuImage::Files, MenuImage::Parameters, MenuImage::Go};
    for (int i = 0; i < 3; ++i) {
        auto* button = new ToolbarButton(names[i], captions[i], DrawMenuImage(images[i], 24), client);
        connect(button, &ToolbarButton::pressed, this, [this, i] { SelectPage(i + 1); });
        toolbar_[i] = button;
    }
    LayoutToolbar();
}

void TfrmMain::CreatePages(QWidget* client, const PageFactory& pages) {
    auto* container = new QWidget(client);
    container->setObjectName("panContainer");
    container->setGeometry(kClientWidth - kPageWidth, 0, kPageWidth, kPageHeight);
    framFiles_ = MakePage(pages.files, boxes_, container, *choices_);
    framParams_ = MakePage(pages.params, boxes_, container, *choices_);
    framGo_ = MakePage(pages.go, boxes_, container);
    framParams_->SetWizard(this);
    framGo_->SetWizard(this);
    // The action button's caption follows the chosen action.
    TframGo* go = framGo_;
    connect(framParams_, &TframParams::actionChosen, go, [go](const QString& caption) {
        go->SetActionCaption(caption);
        go->ArrangePage();
    });
    // No page is on show until the first load selects one.
    framFiles_->hide();
    framParams_->hide();
    framGo_->hide();
}

void TfrmMain::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("mnuMain");
    // Menus and items whose caption is a language text are noted with its key.
    auto addMenu = [this](QWidget* parent, const char* name, const char* key) {
        auto* menu = new QMenu(English(key), parent);
        textedActions_.push_back({key, menu->menuAction()});
        menu->setObjectName(name);
        if (auto* menus = qobject_cast<QMenuBar*>(parent)) {
            menus->addMenu(menu);
        } else {
            static_cast<QMenu*>(parent)->addMenu(menu);
        }
        return menu;
    };
    auto addItem = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                          auto handler) {
        auto* item = new QAction(caption, menu);
        item->setObjectName(name);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, handler);
        menu->addAction(item);
        return item;
    };
    auto addTextedItem = [this, &addItem](QMenu* menu, const char* name, const char* key, const QKeySequence& shortcut,
                                          auto handler) {
        QAction* item = addItem(menu, name, English(key), shortcut, handler);
        textedActions_.push_back({key, item});
        return item;
    };
    auto withImage = [](QAction* item, MenuImage image) { item->setIcon(MainMenuImage(image)); };

    QMenu* file = addMenu(bar, "mnuFile", "Menu.File");
    withImage(addTextedItem(file, "mnuFileAddFiles", "Menu.File.AddFiles", QKeySequence("Ctrl+A"),
                            [this] { framFiles_->AddFiles(); }),
              MenuImage::AddFiles);
    withImage(addTextedItem(file, "mnuFileAddFolder", "Menu.File.AddFolder", QKeySequence("Ctrl+F"),
                            [this] { framFiles_->AddFolder(); }),
              MenuImage::AddFolder);
    file->addSeparator();
    withImage(addTextedItem(file, "mnuFileRemoveItemFromList", "Menu.File.RemoveSelItem", QKeySequence("Ctrl+R"),
                            [this] { framFiles_->RemoveSelected(); }),
              MenuImage::Remove);
    file->addSeparator();
    withImage(addTextedItem(file, "mnuFileEncrypt", "Menu.File.Encrypt", QKeySequence("Ctrl+E"),
                            [this] { StartWithAction(0); }),
              MenuImage::Encrypt);
    withImage(addTextedItem(file, "mnuFileDecrypt", "Menu.File.Decrypt", QKeySequence("Ctrl+D"),
                            [this] { StartWithAction(1); }),
              MenuImage::Decrypt);
    file->addSeparator();
    // Exit ends the program at once, without the close question.
    addTextedItem(file, "mnuFileExit", "Menu.File.Exit", QKeySequence(),
                  [this] { LeaveAfterRun([] { QCoreApplication::exit(0); }); });

    QMenu* view = addMenu(bar, "mnuView", "Menu.View");
    QMenu* pages = addMenu(view, "mnuViewPages", "Menu.View.Pages");
    // The page items repeat the toolbar's captions.
    pageItems_ = {
        addItem(pages, "mnuViewPagesFiles", "Files", QKeySequence("Ctrl+1"), [this] { SelectPage(kFilesPage); }),
        addItem(pages, "mnuViewPagesParams", "Parameters", QKeySequence("Ctrl+2"), [this] { SelectPage(kParamsPage); }),
        addItem(pages, "mnuViewPagesGo", "Go", QKeySequence("Ctrl+3"), [this] { SelectPage(kGoPage); }),
    };
    withImage(pageItems_[0], MenuImage::Files);
    withImage(pageItems_[1], MenuImage::Parameters);
    withImage(pageItems_[2], MenuImage::Go);
    view->addSeparator();
    withImage(addTextedItem(view, "mnuViewSettings", "Menu.View.Settings", QKeySequence("F2"),
                            [this] {
                                if (options_ != nullptr) options_->exec();
                            }),
              MenuImage::Settings);

    QMenu* tools = addMenu(bar, "mnuTools", "Menu.Tools");
    withImage(addTextedItem(tools, "mnuToolsKeyGen", "Menu.Tools.KeyGen", QKeySequence("F5"),
                            [this] {
                                if (keyGen_ != nullptr) keyGen_->exec();
                            }),
              MenuImage::KeyGenerator);
    mnuToolsASP_ =
        addItem(tools, "mnuToolsASP", "VudeVuruzido protection", QKeySequence(), &TfrmMain::mnuToolsASPClick);
    mnuToolsASP_->setCheckable(true);
    mnuToolsASP_->setChecked(true);

    QMenu* help = addMenu(bar, "mnuHelp", "Menu.Help");
    withImage(addTextedItem(help, "mnuHelpContents", "Menu.Help.Contents", QKeySequence("F1"),
                            [this] { ShowHelp(boxes_, kHelpTopicContents); }),
              MenuImage::Contents);
    withImage(addTextedItem(help, "mnuHelpTSOnTheWeb", "Menu.Help.TSOnTheWeb", QKeySequence(),
                            [] { OpenWithShell(kProductWebPage); }),
              MenuImage::OnTheWeb);
    help->addSeparator();
    withImage(addTextedItem(help, "mnuHelpAbout", "Menu.Help.About", QKeySequence(),
                            [this] {
                                if (about_ != nullptr) about_->exec();
                            }),
              MenuImage::About);
}

void TfrmMain::AttachDialogs(TfrmKeyGen* keyGen, TfrmAbout* about, TfrmOptions* options) {
    keyGen_ = keyGen;
    about_ = about;
    options_ = options;
    if (keyGen_ != nullptr) keyGen_->SetWizard(this);
}

bool TfrmMain::KeyGeneratorShown() const { return keyGen_ != nullptr && keyGen_->isVisible(); }

void TfrmMain::SetLanguageSteps(LanguageSteps* steps) { languageSteps_ = steps; }

void TfrmMain::tmrLoadLangTimer() {
    // The load needs every dialog; until the key generator exists, wait.
    if (keyGen_ == nullptr) return;
    tmrLoadLang_->stop();
    ApplyLanguageAndSettings();
    framParams_->SelectAction(0);
    // Files that an interrupted in-place run left partly transformed are named
    // once at start, with the offer to finish them; a run finishes each as it
    // reaches it.
    OfferToFinishInterruptedRuns(*this, SortInterruptedRuns(ListPendingJournals()), interruptedWords_);
}

void TfrmMain::ApplyLanguageAndSettings() {
    // 1. Stored settings and the list of languages; the program's folder
    //    becomes the current directory.
    if (options_ != nullptr) options_->LoadSettings();
    // 2. and 3. The language in use and its texts.
    if (languageSteps_ != nullptr) {
        languageSteps_->DetermineLanguageFile();
        languageSteps_->ApplyLanguageTexts();
    }
    // 4. The toolbar, whose captions may have changed.
    LayoutToolbar();
    // 5. The flat buttons of the pages and the key generator.
    framFiles_->ArrangePage();
    framParams_->ArrangePage();
    framGo_->ArrangePage();
    if (keyGen_ != nullptr) keyGen_->ArrangeButtons();
    // 6. The key entry for the selected key type and length.
    framParams_->ApplyKeyFormat();
    // 7.
    SelectPage(kFilesPage);
}

void TfrmMain::LayoutToolbar() {
    for (std::size_t i = 0; i < toolbar_.size(); ++i) {
        toolbar_[i]->Arrange(kToolbarLeft, kToolbarTops[i], kToolbarCentreX);
    }
}

void TfrmMain::SelectPage(int page) {
    if (page < kFilesPage || page > kGoPage) return;
    for (ToolbarButton* button : toolbar_) button->setFaceColour(kToolbarFace);
    // Keys go only where the user sees them: no control of a page being
    // hidden keeps the focus. Each page remembers its control with the focus
    // and gets it back when it is shown again.
    QWidget* const pages[] = {framFiles_, framParams_, framGo_};
    if (QWidget* focused = focusWidget()) {
        for (std::size_t i = 0; i < pageFocus_.size(); ++i) {
            if (pages[i]->isAncestorOf(focused)) pageFocus_[i] = focused;
        }
    }
    for (QWidget* hidden : pages) ReleaseFocusWithin(hidden);
    framFiles_->hide();
    framParams_->hide();
    framGo_->hide();
    // The marks of a check that rejected an input go with the page change.
    framFiles_->ClearAttentionMarks();
    framParams_->ClearAttentionMarks();
    toolbar_[page - 1]->setFaceColour(kToolbarSelectedFace);
    SetStatusText(kPageHints[page - 1]);
    pages[page - 1]->show();
    QWidget* remembered = pageFocus_[page - 1];
    if (remembered != nullptr && remembered->isVisible() && remembered->isEnabled()) {
        remembered->setFocus(Qt::OtherFocusReason);
    } else {
        FocusFirstControl(pages[page - 1]);
    }
    selectedPage_ = page;
}

void TfrmMain::StartWithAction(int action) {
    framParams_->SelectAction(action);
    framParams_->lstActionClick();
    SelectPage(kGoPage);
    framGo_->StartAction();
}

void TfrmMain::mnuToolsASPClick() {
    // The check mark has toggled already; the Parameters page shows the
    // image that matches it.
    framParams_->ShowProtection(mnuToolsASP_->isChecked());
}

QString TfrmMain::StatusText() const { return statusBar()->currentMessage(); }

void TfrmMain::SetStatusText(const QString& text) { statusBar()->showMessage(text); }

bool TfrmMain::event(QEvent* event) {
    // The status bar shows one line that only the program writes; hovering
    // over the menus must not wipe it.
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (waitingToLeave_ || (framGo_->RunUnfinished() && !boxes_.AskQuestion(closeQuery_.toStdString(), kProductName))) {
        event->ignore();
        return;
    }
    if (!framGo_->RunActive()) {
        event->accept();
        return;
    }
    // The window closes for real once the run is over.
    event->ignore();
    LeaveAfterRun([this] {
        closing_ = true;
        close();
    });
}

void TfrmMain::LeaveAfterRun(std::function<void()> leave) {
    if (!framGo_->RunActive()) return leave();
    if (waitingToLeave_) return;
    waitingToLeave_ = true;
    setEnabled(false);
    SetStatusText(kPleaseWait);
    connect(framGo_, &TframGo::runEnded, this, std::move(leave), Qt::SingleShotConnection);
    framGo_->StopForQuit();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    // The paths go to the list from the last dropped to the first.
    for (auto url = urls.crbegin(); url != urls.crend(); ++url) {
        if (const auto path = LocalPathBytes(*url)) framFiles_->AddPath(*path);
    }
    event->acceptProposedAction();
}

void TfrmMain::CentreOnScreen() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

}  // namespace tarvoss
