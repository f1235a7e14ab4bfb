// Starts the window: the application titled "Tarvoss", the program's windows
// in their order, then the message loop.

#include <string>

#include "common/MessageBoxes.h"
#include "platform/FileSystem.h"
#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/ProgramArguments.h"
#include "shell/QtMessageBoxes.h"
#include "shell/StartUp.h"

int main(int argc, char** argv) {
    // Every argument is a path for the list; Qt is given none of them.
    tarvoss::ProgramArguments arguments(argc, argv);
    tarvoss::Application app(arguments.QtArgc(), arguments.QtArgv());
    tarvoss::QtMessageBoxes boxes;
    tarvoss::InstallMessageBoxes(&boxes);

    const std::string programPath = tarvoss::ProgramPath();

    int result = 1;
    try {
        tarvoss::ProgramWindows windows(tarvoss::JoinCommandLine(programPath, arguments.Paths()),
                                        programPath);
        windows.main().show();
        result = app.exec();
    } catch (...) {
        tarvoss::ShowEscapedException(std::current_exception());
    }
    tarvoss::InstallMessageBoxes(nullptr);
    return result;
}
