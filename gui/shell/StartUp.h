#pragma once
// The program's windows, created in their start-up order: the main window
// (with its pages and the command-line path), then the key generator, the
// About box and the Settings dialog.

#include <memory>
#include <string>

#include "shell/MainForm.h"

namespace tarvoss {

class ProgramWindows {
public:
    ProgramWindows(const std::string& commandLine, const std::string& programPath,
                   const PageFactory& pages = {});

    TfrmMain& main() { return *main_; }

private:
    std::unique_ptr<TfrmMain> main_;
};

}  // namespace tarvoss
