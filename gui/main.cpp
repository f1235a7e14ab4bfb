// Starts the window: the application titled "Tarvoss", the program's windows
// in their order, then the message loop.

#include <QStringList>
#include <csignal>
#include <string>
#include <vector>

#include "common/MessageBoxes.h"
#include "common/Wipe.h"
#include "platform/FileSystem.h"
#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/QtMessageBoxes.h"
#include "shell/StartUp.h"

int main(int argc, char** argv) {
    // A file-size limit (ulimit -f) makes a write fail with EFBIG like a full
    // disk, instead of killing the process in the middle of a file.
    std::signal(SIGXFSZ, SIG_IGN);
    // The key fields may hold a key at any moment: the window stays out of
    // core dumps and out of reach of debuggers of the same user throughout.
    tarvoss::HoldKeyInProcess();
    tarvoss::Application app(argc, argv);
    tarvoss::QtMessageBoxes boxes;
    tarvoss::InstallMessageBoxes(&boxes);

    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toStdString());
    const std::string programPath = tarvoss::ProgramPath();

    int result = 1;
    try {
        tarvoss::ProgramWindows windows(tarvoss::JoinCommandLine(programPath, arguments),
                                        programPath);
        windows.main().show();
        result = app.exec();
    } catch (...) {
        tarvoss::ShowEscapedException(std::current_exception());
    }
    tarvoss::InstallMessageBoxes(nullptr);
    return result;
}
