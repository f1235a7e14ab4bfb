#include "desktop/ShellServices.h"

#include <QDesktopServices>
#include <QFile>
#include <QLibrary>
#include <QUrl>

#include "common/MessageBoxes.h"
#include "common/ProgramFolder.h"

namespace tarvoss {

void OpenWithShell(const std::string& target) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

void ShowHelp(MessageBoxes& boxes, int topic) {
    // Folder names are bytes; Qt takes them back to the same bytes.
    const auto folder = [](const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); };
    ShowHelpFrom(boxes, folder(ProgramLibraryFolder()), folder(ProgramDataFolder()) + "help/", kHelpLibrary, topic);
}

void ShowHelpFrom(MessageBoxes& boxes, const QString& libraryFolder, const QString& helpFolder, const QString& library,
                  int topic) {
    // The program's own library folder first, as the usual library search on
    // the original platform looked beside the program; then the system's search.
    QLibrary module(libraryFolder + library);
    if (!module.load()) {
        module.setFileName(library);
        module.load();
    }
    using Entry = int (*)(const char* path, int command, int topic);
    const auto entry = module.isLoaded() ? reinterpret_cast<Entry>(module.resolve(kHelpEntry)) : nullptr;
    if (entry == nullptr) {
        module.unload();
        boxes.ShowError(kHelpModuleMissing, "Error");
        return;
    }
    const int shown = entry(QFile::encodeName(helpFolder).constData(), kHelpContextCommand, topic);
    module.unload();
    if (shown == 0) {
        // The module falls back to the contents page and shows nothing when
        // that is gone too: name the contents page, or the table of pages when
        // it is the table that is missing or names no contents page.
        const QString contents = HelpPageOfTopic(helpFolder, kHelpContentsTopic);
        boxes.ShowError(HelpPagesMissingText(contents.isEmpty() ? helpFolder + kHelpTopicsFile : contents), "Error");
    }
}

std::string HelpPagesMissingText(const QString& path) {
    return "An error has occurred while loading \"" + QFile::encodeName(path).toStdString() +
           "\". Please reinstall the application to resolve the problem !";
}

}  // namespace tarvoss
