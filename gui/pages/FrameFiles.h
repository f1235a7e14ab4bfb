#pragma once
// The "Files" page: the list of files and folders a run processes, and the
// three processing options the run reads (the type of processing, the
// destination directory of copies, and whether the sources are deleted).
//
// Controls carry their names as object names: lstFiles, cboCryptType,
// lblTypeOfProcessing, txtDestDir, lblDestDir, cmdSelectDestDir, cbDelFiles,
// shpAddFiles/lblAddFiles, shpAddFolder/lblAddFolder and the popup menu
// lstFilesMenu with mnuAddFile, mnuAddFolder and mnuRemoveFileFromTheList.
// The page keeps the list and the options in the run's choices, which a run
// reads through its host on this thread. Everything here runs on the window
// thread.

#include <QFrame>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

#include "batch/RunHost.h"
#include "batch/RunRow.h"
#include "model/RunChoices.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace tarvoss {

class FileChooser;
class FileListModel;
class FileListView;
class FlatButton;
class MessageBoxes;
struct FileListRow;

class TframFiles : public QFrame {
    Q_OBJECT
public:
    // The page edits `choices` (not owned); none: the page makes its own. Its
    // messages are shown in `boxes` (not owned).
    explicit TframFiles(MessageBoxes& boxes, QWidget* parent = nullptr, RunChoices* choices = nullptr);

    // The folder browser and open-file dialog the page asks with (not
    // owned); the desktop's own dialogs until another is handed in.
    void SetFileChooser(FileChooser& chooser) { chooser_ = &chooser; }

    // Asks for files with the open-file dialog and adds each one.
    virtual void AddFiles();
    // Asks for a folder with the folder browser and adds it.
    virtual void AddFolder();
    // Deletes the selected rows of the list; nothing selected changes nothing.
    virtual void RemoveSelected();
    // Adds one row for the file or folder at `path`, showing its own messages
    // when the file cannot be opened for reading and writing or the list
    // holds it already. A folder becomes the current directory. A relative
    // path is taken from the current directory.
    virtual void AddPath(const std::string& path);
    // Sizes and places the page's buttons from the current language's sizes,
    // then applies the option rule.
    virtual void ArrangePage();

    // --- What the page shows ---
    std::size_t RowCount() const;
    // The row at `index`, or nothing when there is no such row.
    std::optional<RunRow> RowAt(std::size_t index) const;
    // All fields of the row at `index`; `index` must be below RowCount().
    const FileListRow& ListRow(std::size_t index) const;
    // Entry 0 of cboCryptType is in place; every other state makes copies.
    ProcessingMode Mode() const;
    // The text of txtDestDir as typed; it may or may not end in "/".
    std::string DestinationText() const;
    bool DeleteSources() const;
    // Deletes one row.
    void RemoveRow(std::size_t index);
    QWidget* FileListWidget() const;
    QLineEdit* DestinationEdit() const;
    // Chooses in-place processing (entry 0 of cboCryptType).
    void ChooseInPlace();
    // Takes the attention mark off the destination directory.
    void ClearAttentionMarks();

private:
    void CreateOptionControls();
    void CreatePopupMenu();
    void AddLanguageRows();
    // Places the controls whose left edge follows the width of their label.
    void PlaceComboBesideLabel();
    void PlaceDestinationBesideLabel();

    void cboCryptTypeChange();
    void cbDelFilesClick(bool checked);
    void cmdSelectDestDirClick();
    // Keeps the three options as shown in the choices.
    void StoreOptions();
    // Takes the focus to the list or marks the destination a check pointed out.
    void MarkChoice(RunChoices::Choice choice);

    MessageBoxes& boxes_;
    RunChoices* choices_;
    FileChooser* chooser_;
    FileListModel* model_;
    FileListView* lstFiles_;
    FlatButton* shpAddFolder_;
    FlatButton* shpAddFiles_;
    QMenu* lstFilesMenu_ = nullptr;
    QLabel* lblTypeOfProcessing_ = nullptr;
    QComboBox* cboCryptType_ = nullptr;
    QLabel* lblDestDir_ = nullptr;
    QLineEdit* txtDestDir_ = nullptr;
    QToolButton* cmdSelectDestDir_ = nullptr;
    QCheckBox* cbDelFiles_ = nullptr;

    // The page's texts that the language file replaces.
    QString browseTitle_;
    QString readErrorText_;
    QString duplicateText_;
    QString kilobytes_;
    QString megabytes_;
    QString gigabytes_;
    QString deleteQuestion_;
};

}  // namespace tarvoss
