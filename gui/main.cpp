// Starts the window: the application titled "Tarvoss", the program's windows
// in their order, then the message loop.

#include <string>

#include "cipher/ProcessSignals.h"
#include "common/ErrorReport.h"
#include "common/Wipe.h"
#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
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
    // Every box of the program, from start-up to the end of the message loop.
    tarvoss::QtMessageBoxes boxes;
    tarvoss::Application app(arguments.QtArgc(), arguments.QtArgv(), boxes);
    const tarvoss::ErrorReport report(boxes);
    tarvoss::ReportFileRecordFailuresTo(&report);

    int result = 1;
    try {
        tarvoss::ProgramWindows windows(boxes, arguments.Paths());
        // The pages' questions are shown over the pages that ask them.
        boxes.SetOwner(tarvoss::BoxOwner::FilesPage, windows.main().framFiles());
        boxes.SetOwner(tarvoss::BoxOwner::GoPage, windows.main().framGo());
        windows.main().show();
        result = app.exec();
    } catch (...) {
        tarvoss::ShowEscapedException(boxes, std::current_exception());
    }
    tarvoss::ReportFileRecordFailuresTo(nullptr);
    return result;
}
