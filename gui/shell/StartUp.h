#pragma once
// The program's windows, created in their start-up order: the main window
// (with its pages and the command line's paths), then the key generator, the
// About box and the Settings dialog.

#include <memory>
#include <string>
#include <vector>

#include "shell/MainForm.h"

namespace tarvoss {

class ProgramWindows {
public:
    // The windows show their messages in `boxes` (not owned).
    ProgramWindows(MessageBoxes& boxes, const std::vector<std::string>& paths, const PageFactory& pages = {});

    TfrmMain& main() { return *main_; }

private:
    std::unique_ptr<TfrmMain> main_;
};

}  // namespace tarvoss
