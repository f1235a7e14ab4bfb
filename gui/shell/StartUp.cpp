#include "shell/StartUp.h"

#include "dialogs/KeyGenForm.h"
#include "settings/OptionsForm.h"
#include "shell/AboutForm.h"
#include "shell/LanguageSetup.h"

namespace tarvoss {

ProgramWindows::ProgramWindows(MessageBoxes& boxes, const std::vector<std::string>& paths, const PageFactory& pages)
    : main_(std::make_unique<TfrmMain>(boxes, paths, pages)) {
    // The dialogs belong to the main window and go with it.
    auto* keyGen = new TfrmKeyGen(boxes, main_.get());
    auto* about = new TfrmAbout(main_.get());
    auto* options = new TfrmOptions(boxes, main_.get());
    main_->AttachDialogs(keyGen, about, options);
    InstallLanguageSetup(*main_);
}

}  // namespace tarvoss
