#pragma once
// The program's windows as a window test meets them: created as the program
// creates them (with the given pages), shown, and after their first load,
// with the pages at hand.

#include <QTest>
#include <string>
#include <vector>

#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "shell/MainForm.h"
#include "shell/StartUp.h"

namespace tarvoss::test {

struct StartedProgram {
    // The windows show their messages in `boxes` (not owned).
    explicit StartedProgram(MessageBoxes& boxes, const PageFactory& pages = {})
        : windows(boxes, std::vector<std::string>{}, pages) {
        main().show();
        QTRY_COMPARE_WITH_TIMEOUT(main().SelectedPage(), 1, 5000);
    }

    TfrmMain& main() { return windows.main(); }
    TframFiles& files() { return *main().framFiles(); }
    TframParams& params() { return *main().framParams(); }
    TframGo& go() { return *main().framGo(); }

    ProgramWindows windows;
};

}  // namespace tarvoss::test
