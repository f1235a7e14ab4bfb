#pragma once
// The "Files" page: the list of files and folders to process.

#include <QFrame>
#include <string>

namespace tarvoss {

class TframFiles : public QFrame {
    Q_OBJECT
public:
    explicit TframFiles(QWidget* parent = nullptr);

    // Asks for files with the open-file dialog and adds each one.
    virtual void AddFiles();
    // Asks for a folder with the folder browser and adds it.
    virtual void AddFolder();
    // Deletes the selected rows of the list.
    virtual void RemoveSelected();
    // Adds one row for the file or folder at `path` (a full path).
    virtual void AddPath(const std::string& path);
    // Sizes and places the page's buttons from the current language's sizes.
    virtual void ArrangePage();
};

}  // namespace tarvoss
