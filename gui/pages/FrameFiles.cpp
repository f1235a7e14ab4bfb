#include "pages/FrameFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "batch/ListedPath.h"
#include "common/FileSizeText.h"
#include "common/MessageBoxes.h"
#include "common/Strings.h"
#include "desktop/FileChooser.h"
#include "desktop/ProductInfo.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "model/FileListModel.h"
#include "model/FileListRow.h"
#include "pages/FileListView.h"
#include "pages/PageGeometry.h"
#include "platform/FileAttributes.h"
#include "platform/FileRecord.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "settings/TextCatalogue.h"
#include "widgets/Attention.h"
#include "widgets/FlatButton.h"
#include "widgets/MenuImages.h"

namespace tarvoss {
namespace {

// Texts that no language file replaces.
constexpr char kDestinationBrowseTitle[] = "Select a destination directory:";
constexpr char kSystemErrorText[] = "System error has occurred.";
constexpr char kAddedStatus[] = "Added";
constexpr char kFolderSizeText[] = "-";
constexpr char kInformationCaption[] = "Information";
constexpr char kReadErrorCaption[] = "Tarvoss 1.0";

// Layout of the page, in pixels.
constexpr int kMargin = 4;
constexpr int kListTop = 6;
constexpr int kListHeight = 220;
constexpr int kListInnerWidth = 512;  // the four standard column widths
constexpr int kButtonGap = 5;         // between the two flat buttons
constexpr int kButtonsTop = 232;
constexpr int kComboTop = 266;
constexpr int kDestinationTop = 294;
constexpr int kCheckBoxTop = 322;
constexpr int kEditHeight = 21;
constexpr int kLabelDrop = 4;      // a label's top below its box's top
constexpr int kLabelToCombo = 20;  // space between the type label and its list
constexpr int kLabelToEdit = 10;   // space between the destination label and its box
constexpr int kBrowseButtonWidth = 22;

constexpr std::uint32_t kAddFolderBrowseFlags =
    kBrowseOnlyFileSystemFolders | kBrowseNewDialogStyle | kBrowseNoNewFolderButton | kBrowseForComputer;
constexpr std::uint32_t kDestinationBrowseFlags =
    kBrowseOnlyFileSystemFolders | kBrowseNewDialogStyle | kBrowseForComputer;

std::string Std(const QString& text) { return text.toStdString(); }

// The built-in English text of one of the page's keys.
QString English(std::string_view key) { return EnglishText(kFilesSection, key); }

}  // namespace

TframFiles::TframFiles(MessageBoxes& boxes, QWidget* parent, RunChoices* choices)
    : QFrame(parent),
      boxes_(boxes),
      choices_(choices != nullptr ? choices : new RunChoices(this)),
      chooser_(&QtFileDialogs()),
      model_(&choices_->Items()),
      lstFiles_(new FileListView(model_, this)),
      shpAddFolder_(new FlatButton("shpAddFolder", "lblAddFolder", English("Button.AddFolder"), this)),
      shpAddFiles_(new FlatButton("shpAddFiles", "lblAddFiles", English("Button.AddFiles"), this)),
      browseTitle_(English("Label.BrowseForFolderTitle")),
      readErrorText_(English("Error.WhileReadingFile")),
      duplicateText_(English("Label.SuchFileExists")),
      kilobytes_(English("Label.KBytes")),
      megabytes_(English("Label.MBytes")),
      gigabytes_(English("Label.GBytes")),
      deleteQuestion_(English("Error.DelSourceFiles")) {
    setObjectName("framFiles");
    setFrameShape(QFrame::NoFrame);
    setGeometry(0, 0, kPageWidth, kPageHeight);

    lstFiles_->setGeometry(kMargin, kListTop, kListInnerWidth + 2 * lstFiles_->frameWidth(), kListHeight);
    connect(shpAddFiles_, &FlatButton::clicked, this, &TframFiles::AddFiles);
    connect(shpAddFolder_, &FlatButton::clicked, this, &TframFiles::AddFolder);
    for (FlatButton* button : {shpAddFolder_, shpAddFiles_}) button->move(button->x(), kButtonsTop);

    CreateOptionControls();
    CreatePopupMenu();
    AddLanguageRows();
    ArrangePage();
    StoreOptions();
    connect(choices_, &RunChoices::pointedOut, this, [this](RunChoices::Choice choice) { MarkChoice(choice); });
}

void TframFiles::CreateOptionControls() {
    const int right = lstFiles_->geometry().right() + 1;

    lblTypeOfProcessing_ = new QLabel(English("Label.TypeOfProcessing"), this);
    lblTypeOfProcessing_->setObjectName("lblTypeOfProcessing");
    lblTypeOfProcessing_->move(kMargin, kComboTop + kLabelDrop);
    lblTypeOfProcessing_->adjustSize();
    cboCryptType_ = new QComboBox(this);
    cboCryptType_->setObjectName("cboCryptType");
    cboCryptType_->addItems({English("Label.TypeOfProcessing.Normal"), English("Label.TypeOfProcessing.Copy")});
    cboCryptType_->setGeometry(0, kComboTop, 0, kEditHeight);
    PlaceComboBesideLabel();

    lblDestDir_ = new QLabel(English("Label.DestinationDirectory"), this);
    lblDestDir_->setObjectName("lblDestDir");
    lblDestDir_->move(kMargin, kDestinationTop + kLabelDrop);
    lblDestDir_->adjustSize();
    txtDestDir_ = new QLineEdit(this);
    txtDestDir_->setObjectName("txtDestDir");
    cmdSelectDestDir_ = new QToolButton(this);
    cmdSelectDestDir_->setObjectName("cmdSelectDestDir");
    cmdSelectDestDir_->setText("...");
    cmdSelectDestDir_->setAccessibleName(browseTitle_);
    cmdSelectDestDir_->setGeometry(right - kBrowseButtonWidth, kDestinationTop, kBrowseButtonWidth, kEditHeight);
    PlaceDestinationBesideLabel();
    // A screen reader names the list and the box by the caption beside them.
    lblTypeOfProcessing_->setBuddy(cboCryptType_);
    lblDestDir_->setBuddy(txtDestDir_);
    connect(cmdSelectDestDir_, &QToolButton::clicked, this, &TframFiles::cmdSelectDestDirClick);

    cbDelFiles_ = new QCheckBox(English("Label.DelSourceFiles"), this);
    cbDelFiles_->setObjectName("cbDelFiles");
    cbDelFiles_->move(kMargin, kCheckBoxTop);
    cbDelFiles_->adjustSize();
    connect(cbDelFiles_, &QCheckBox::toggled, this, &TframFiles::cbDelFilesClick);
    // The choices follow every change of the options, whoever makes it.
    connect(cbDelFiles_, &QCheckBox::toggled, this, &TframFiles::StoreOptions);
    connect(txtDestDir_, &QLineEdit::textChanged, this, &TframFiles::StoreOptions);

    // The copy entry is the one a new page starts with.
    cboCryptType_->setCurrentIndex(1);
    connect(cboCryptType_, &QComboBox::currentIndexChanged, this, &TframFiles::cboCryptTypeChange);
    connect(cboCryptType_, &QComboBox::currentIndexChanged, this, &TframFiles::StoreOptions);
}

void TframFiles::CreatePopupMenu() {
    lstFilesMenu_ = new QMenu(this);
    lstFilesMenu_->setObjectName("lstFilesMenu");
    auto addItem = [this](const char* name, const char* caption, const char* shortcut, MenuImage image,
                          void (TframFiles::*handler)()) {
        auto* item = new QAction(MainMenuImage(image), caption, lstFilesMenu_);
        item->setObjectName(name);
        item->setShortcut(QKeySequence(shortcut));
        // The main menu owns these keys; here they only label the entries.
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, handler);
        lstFilesMenu_->addAction(item);
    };
    addItem("mnuAddFile", "Add file(s)", "Ctrl+A", MenuImage::AddFiles, &TframFiles::AddFiles);
    addItem("mnuAddFolder", "Add folder", "Ctrl+F", MenuImage::AddFolder, &TframFiles::AddFolder);
    lstFilesMenu_->addSeparator();
    addItem("mnuRemoveFileFromTheList", "Remove file from the list", "Ctrl+R", MenuImage::Remove,
            &TframFiles::RemoveSelected);

    lstFiles_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lstFiles_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { lstFilesMenu_->popup(lstFiles_->viewport()->mapToGlobal(at)); });
}

void TframFiles::PlaceComboBesideLabel() {
    const int left = lblTypeOfProcessing_->x() + lblTypeOfProcessing_->width() + kLabelToCombo;
    const int right = lstFiles_->geometry().right() + 1;
    cboCryptType_->setGeometry(left, kComboTop, std::max(0, right - left), kEditHeight);
}

void TframFiles::PlaceDestinationBesideLabel() {
    const int left = lblDestDir_->x() + lblDestDir_->width() + kLabelToEdit;
    const int right = cmdSelectDestDir_->x() - 2;
    txtDestDir_->setGeometry(left, kDestinationTop, std::max(0, right - left), kEditHeight);
}

void TframFiles::AddPath(const std::string& given) {
    // A relative path (from the command line) is taken from the current
    // directory now, because the program's own folder becomes the current
    // directory before any run.
    const std::string path = NormalisePath(given);
    const std::optional<RowKind> kind = KindOfPath(path);

    // A folder is one that can be entered; it stays the current directory.
    const bool folder = (kind == RowKind::Folder || kind == RowKind::DiskRoot) && SetCurrentDirectory(path);

    // A file must open for reading and writing, so that a file the run could
    // not rewrite (read-only, or not a regular file) is refused here.
    FileRecord file;
    file.access = FileAccess::ReadWrite;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    std::uint64_t length = 0;
    if (!folder && !(file.Open(path) && file.Size(length))) {
        boxes_.ShowError(Std(readErrorText_) + " " + DisplayPath(path) + ":\r\n" + LastErrorText(kSystemErrorText),
                         kReadErrorCaption);
        return;
    }

    const RunRow listed{path, folder ? *kind : RowKind::File};
    if (model_->Contains(listed.path)) {
        boxes_.ShowInformation(Std(duplicateText_) + " " + DisplayPath(path), kInformationCaption);
        return;
    }
    const std::string sizeText = folder ? std::string(kFolderSizeText)
                                        : FileSizeText(length, {Std(kilobytes_), Std(megabytes_), Std(gigabytes_)});
    model_->Append(FileListRow{listed, sizeText, kAddedStatus});
}

void TframFiles::AddFiles() {
    for (const std::string& path : chooser_->ChooseFilesToOpen(this)) AddPath(path);
}

void TframFiles::AddFolder() {
    std::string folder;
    if (chooser_->BrowseForFolder(folder, this, Std(browseTitle_), kAddFolderBrowseFlags)) AddPath(folder);
}

void TframFiles::RemoveSelected() {
    model_->Remove(lstFiles_->SelectedRows());
    lstFiles_->viewport()->update();
}

void TframFiles::ArrangePage() {
    const int width = LookupSize(kButtonWidthKey, kDefaultButtonWidth);
    const int height = LookupSize(kButtonHeightKey, kDefaultButtonHeight);
    const QRect list = lstFiles_->geometry();
    const int filesLeft = list.x() + list.width() - width;
    shpAddFiles_->Arrange(width, height);
    shpAddFiles_->move(filesLeft, shpAddFiles_->y());
    shpAddFolder_->Arrange(width, height);
    shpAddFolder_->move(filesLeft - width - kButtonGap, shpAddFolder_->y());
    cboCryptTypeChange();
}

void TframFiles::ChooseInPlace() { cboCryptType_->setCurrentIndex(0); }

void TframFiles::cboCryptTypeChange() {
    const bool copies = cboCryptType_->currentIndex() != 0;
    if (!copies) cbDelFiles_->setChecked(false);
    // The texts of the destination controls stay as they are.
    const std::initializer_list<QWidget*> controls = {cbDelFiles_, txtDestDir_, cmdSelectDestDir_, lblDestDir_};
    for (QWidget* control : controls) control->setEnabled(copies);
}

void TframFiles::cbDelFilesClick(bool checked) {
    if (!checked) return;
    if (!boxes_.AskQuestion(Std(deleteQuestion_), kProductName, BoxOwner::FilesPage)) {
        cbDelFiles_->setChecked(false);
    }
}

void TframFiles::cmdSelectDestDirClick() {
    std::string folder;
    if (chooser_->BrowseForFolder(folder, this, kDestinationBrowseTitle, kDestinationBrowseFlags)) {
        txtDestDir_->setText(QString::fromStdString(folder));
    }
}

std::size_t TframFiles::RowCount() const { return model_->Count(); }

std::optional<RunRow> TframFiles::RowAt(std::size_t index) const {
    if (index >= model_->Count()) return std::nullopt;
    return static_cast<const RunRow&>(model_->Row(index));
}

const FileListRow& TframFiles::ListRow(std::size_t index) const { return model_->Row(index); }

ProcessingMode TframFiles::Mode() const {
    return cboCryptType_->currentIndex() == 0 ? ProcessingMode::InPlace : ProcessingMode::Copy;
}

std::string TframFiles::DestinationText() const { return Std(txtDestDir_->text()); }

bool TframFiles::DeleteSources() const { return cbDelFiles_->isChecked(); }

void TframFiles::RemoveRow(std::size_t index) { model_->Remove({index}); }

QWidget* TframFiles::FileListWidget() const { return lstFiles_; }

QLineEdit* TframFiles::DestinationEdit() const { return txtDestDir_; }

void TframFiles::ClearAttentionMarks() { ClearAttention(txtDestDir_); }

void TframFiles::StoreOptions() {
    choices_->SetMode(Mode());
    choices_->SetDestination(DestinationText());
    choices_->SetDeleteSources(DeleteSources());
}

void TframFiles::MarkChoice(RunChoices::Choice choice) {
    if (choice == RunChoices::Choice::Items) lstFiles_->setFocus();
    if (choice == RunChoices::Choice::Destination) MarkForAttention(txtDestDir_);
}

}  // namespace tarvoss
