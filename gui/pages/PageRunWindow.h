#pragma once
// The Go! page's side of a run, on the window thread: it answers the run's
// reads from the pages of the page's wizard (the list, the processing mode,
// the deletion choice and the action) and from the Settings dialog, and
// shows its reports on the page and in the status bar.

#include "pages/RunWindow.h"

namespace tarvoss {

class TframGo;
class TfrmOptions;
class Wizard;

// The action list's entry `entry` (0 encryption, 1 decryption); nothing for
// -1, when no entry is selected.
std::optional<Direction> ActionOfListEntry(int entry);

class PageRunWindow final : public RunWindow {
public:
    explicit PageRunWindow(TframGo& page);

    std::size_t RowCount() override;
    std::optional<RunRow> Row(std::size_t index) override;
    ProcessingMode Mode() override;
    bool DeleteSources() override;
    bool ShowErrors() override;
    std::optional<Direction> ChosenAction() override;
    void ReloadSettings() override;

    void ChangeLog(const LogChanges& changes) override;
    void SetCurrentFileName(const std::string& name) override;
    void SetTotalRange(std::size_t rows) override;
    void StepTotal() override;
    void SetActionButton(bool busy) override;
    void SetStopVisible(bool visible) override;
    void SetStatusText(const std::string& text) override;
    void ShowError(const std::string& text, const std::string& caption) override;
    void RunEnded() override;
    void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) override;

private:
    // The window whose pages the run reads; none while the page stands alone.
    Wizard* PageWizard() const;
    // Its Settings dialog; none without a wizard or before the dialog is made.
    TfrmOptions* Settings() const;

    TframGo& page_;
    // False while the log is empty: the next line then becomes its first.
    bool logHasLines_ = true;
};

}  // namespace tarvoss
