#pragma once
// Handing things to the desktop: documents and web pages to their programs,
// and the help to the help module.

#include <QString>
#include <string>

#include "desktop/HelpTopics.h"

namespace tarvoss {

class MessageBoxes;

// The help module: a library of ours in the program's library folder (beside
// the program in a build), loaded by name when help is asked for, with one entry.
inline constexpr char kHelpLibrary[] = "advhtmlhlp";
inline constexpr char kHelpEntry[] = "ShowHtmlHelp";
// The help command that shows the page mapped to a context number.
inline constexpr int kHelpContextCommand = 15;
// Context numbers of the help pages the program opens.
inline constexpr int kHelpTopicContents = 1;
inline constexpr int kHelpTopicKeyParameters = 4;
// Shown when the help module cannot be loaded or lacks its entry.
inline constexpr char kHelpModuleMissing[] =
    "An error has occurred while loading \"libadvhtmlhlp.so\". Please reinstall the "
    "application to resolve the problem !";

// Shown when the help module is there but cannot show a page: names the file
// that is missing (the table of pages, or the contents page it names).
std::string HelpPagesMissingText(const QString& path);

// Opens a file, folder or web address with the desktop's program for it.
// Whether that worked is not examined.
void OpenWithShell(const std::string& target);

// Shows the help at `topic`: loads the help module from the program's library
// folder (else by the system's library search) and calls its entry with the
// help folder of the program's data, the context command and the topic; a
// missing module is reported in an error box of `boxes`.
void ShowHelp(MessageBoxes& boxes, int topic);
// The same with the module searched first in `libraryFolder` (ending in "/"),
// under the name `library`, and the help pages in `helpFolder` (ending in "/").
// When the module cannot show them, an error box names the missing file.
void ShowHelpFrom(MessageBoxes& boxes, const QString& libraryFolder, const QString& helpFolder, const QString& library,
                  int topic);

}  // namespace tarvoss
