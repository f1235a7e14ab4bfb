#include "shell/FileChooser.h"

#include <QDir>
#include <QFileDialog>

namespace tarvoss {
namespace {

class QtFileChooser final : public FileChooser {
public:
    bool BrowseForFolder(std::string& target, QWidget* owner, const std::string& title,
                         std::uint32_t flags) override {
        QFileDialog::Options options = QFileDialog::ShowDirsOnly;
        // Without a "new folder" button the user can only pick what exists.
        if ((flags & kBrowseNoNewFolderButton) != 0) options |= QFileDialog::ReadOnly;
        const QString folder = QFileDialog::getExistingDirectory(
            owner, QString::fromStdString(title), QDir::homePath(), options);
        if (folder.isEmpty()) return false;
        target = QDir::toNativeSeparators(folder).toStdString();
        return true;
    }

    std::vector<std::string> ChooseFilesToOpen(QWidget* owner) override {
        std::vector<std::string> paths;
        for (const QString& file :
             QFileDialog::getOpenFileNames(owner, QString(), QString(), "All files (*)")) {
            paths.push_back(file.toStdString());
        }
        return paths;
    }
};

QtFileChooser& QtChooser() {
    static QtFileChooser chooser;
    return chooser;
}

FileChooser* installed = nullptr;

}  // namespace

FileChooser& CurrentFileChooser() { return installed != nullptr ? *installed : QtChooser(); }

FileChooser* InstallFileChooser(FileChooser* chooser) {
    FileChooser* previous = installed;
    installed = chooser;
    return previous;
}

bool BrowseForFolder(std::string& target, QWidget* owner, const std::string& title,
                     std::uint32_t flags) {
    return CurrentFileChooser().BrowseForFolder(target, owner, title, flags);
}

}  // namespace tarvoss
