// The help module: one exported entry that shows the HTML help of the program
// at a context number, in the manner of the classic HTML help call.
//
//   int ShowHtmlHelp(const char* path, int command, int topic)
//
// `path` is the help folder (ending in "/"); it holds the pages and
// "topics.txt", whose lines "NUMBER PAGE" map context numbers to pages.
// Commands: 15 shows the page mapped to `topic` (the contents page when the
// number is not mapped); 0 shows the contents page, the page of topic 1.
// Returns 1 when a page is shown, 0 otherwise (no window system, no help
// folder, unknown command). Must be called on the thread of the window system.

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include "HelpWindow.h"
#include "desktop/HelpTopics.h"

namespace {

constexpr int kDisplayTopic = 0;
constexpr int kHelpContext = 15;

}  // namespace

extern "C" __attribute__((visibility("default"))) int ShowHtmlHelp(const char* path, int command, int topic) {
    if (path == nullptr || qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return 0;
    }
    if (command != kHelpContext && command != kDisplayTopic) return 0;

    QString folder = QString::fromUtf8(path);
    if (!folder.endsWith('/')) folder += '/';
    const QString contents = tarvoss::HelpPageOfTopic(folder, tarvoss::kHelpContentsTopic);
    QString page = command == kHelpContext ? tarvoss::HelpPageOfTopic(folder, topic) : contents;
    if (page.isEmpty() || !QFileInfo::exists(page)) page = contents;
    if (page.isEmpty() || !QFileInfo::exists(page)) return 0;

    static QPointer<tarvoss::help::HelpWindow> window;
    if (window.isNull()) window = new tarvoss::help::HelpWindow(contents);
    window->ShowPage(page);
    return 1;
}
