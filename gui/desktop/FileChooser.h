#pragma once
// The folder browser and the open-file dialog, behind one interface so that
// tests can answer them. The page that asks is handed its chooser: the Qt
// dialogs in the program, a scripted one in a test.

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

namespace tarvoss {

// Flags of the folder browser, as its callers pass them.
inline constexpr std::uint32_t kBrowseOnlyFileSystemFolders = 0x1;
inline constexpr std::uint32_t kBrowseNewDialogStyle = 0x40;
inline constexpr std::uint32_t kBrowseNoNewFolderButton = 0x200;
inline constexpr std::uint32_t kBrowseForComputer = 0x1000;

class FileChooser {
public:
    virtual ~FileChooser() = default;

    // Shows the folder browser titled `title`. True, with the full path of the
    // chosen folder in `target`, when the user chose one; false when cancelled.
    virtual bool BrowseForFolder(std::string& target, QWidget* owner, const std::string& title,
                                 std::uint32_t flags) = 0;
    // Shows the open-file dialog for one or more existing files. Returns their
    // full paths in the dialog's order; empty when cancelled.
    virtual std::vector<std::string> ChooseFilesToOpen(QWidget* owner) = 0;
};

// The desktop's own dialogs, through Qt: the chooser a window uses unless it
// is handed another one.
FileChooser& QtFileDialogs();

}  // namespace tarvoss
