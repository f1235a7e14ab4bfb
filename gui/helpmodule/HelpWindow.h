#pragma once
// The window in which the help module shows the bundled HTML help pages: a
// page browser with Contents, Back and Forward. One window serves every call.

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace tarvoss::help {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& contentsPage);

    // Shows `page` (a file path) and brings the window to the front.
    void ShowPage(const QString& page);

private:
    QTextBrowser* browser_;
};

}  // namespace tarvoss::help
