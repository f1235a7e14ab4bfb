// Starts the window: the application titled "Tarvoss", the program's windows
// in their order, then the message loop.

#include <string>

#include "cipher/ProcessSignals.h"
#include "common/MessageBoxes.h"
#include "common/Wipe.h"
#include "shell/Application.h"
#include "shell/ProgramArguments.h"
#include "shell/QtMessageBoxes.h"
#include "shell/StartUp.h"

int main(int argc, char** argv) {
    tarvoss::TakeOverProcessSignals();
    // The key fields may hold a key at any moment: the window stays out of
    // core dumps and out of reach of debuggers of the same user throughout.
    tarvoss::HoldKeyInProcess();
    // Every argument is a path for the list; Qt is given none of them.
    tarvoss::ProgramArguments arguments(argc, argv);
    tarvoss::Application app(arguments.QtArgc(), arguments.QtArgv());
    tarvoss::QtMessageBoxes boxes;
    tarvoss::InstallMessageBoxes(&boxes);

    int result = 1;
    try {
        tarvoss::ProgramWindows windows(arguments.Paths());
        windows.main().show();
        result = app.exec();
    } catch (...) {
        tarvoss::ShowEscapedException(std::current_exception());
    }
    tarvoss::InstallMessageBoxes(nullptr);
    return result;
}
