#include "desktop/FileChooser.h"

#include <QDir>
#include <QFileDialog>

#include "desktop/LocalPaths.h"

namespace tarvoss {
namespace {

class QtFileChooser final : public FileChooser {
public:
    bool BrowseForFolder(std::string& target, QWidget* owner, const std::string& title, std::uint32_t flags) override {
        QFileDialog::Options options = QFileDialog::ShowDirsOnly;
        // Without a "new folder" button the user can only pick what exists.
        if ((flags & kBrowseNoNewFolderButton) != 0) options |= QFileDialog::ReadOnly;
        // As a URL, a name that is not UTF-8 keeps its bytes.
        const QUrl folder = QFileDialog::getExistingDirectoryUrl(owner, QString::fromStdString(title),
                                                                 QUrl::fromLocalFile(QDir::homePath()), options);
        const std::optional<std::string> path = LocalPathBytes(folder);
        if (!path || path->empty()) return false;
        target = *path;
        return true;
    }

    std::vector<std::string> ChooseFilesToOpen(QWidget* owner) override {
        std::vector<std::string> paths;
        for (const QUrl& file : QFileDialog::getOpenFileUrls(owner, QString(), QUrl(), "All files (*)")) {
            if (const std::optional<std::string> path = LocalPathBytes(file)) paths.push_back(*path);
        }
        return paths;
    }
};

}  // namespace

FileChooser& QtFileDialogs() {
    // The dialogs keep no state, so one chooser serves every window.
    static QtFileChooser chooser;
    return chooser;
}

}  // namespace tarvoss
