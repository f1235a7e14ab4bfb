#pragma once
// The Go! page's side of a run, on the window thread: it answers the run's
// reads from the pages of the main window (the list, the processing mode, the
// destination, the action and the key), from the Settings dialog and from the
// page's texts, and shows its reports on the page and in the status bar.

#include "pages/RunWindow.h"

namespace tarvoss {

class TframGo;
class TfrmMain;

class PageRunWindow final : public RunWindow {
public:
    explicit PageRunWindow(TframGo& page);

    std::size_t RowCount() override;
    std::optional<RunRow> Row(std::size_t index) override;
    ProcessingMode Mode() override;
    std::string DestinationText() override;
    bool DeleteSources() override;
    bool ShowErrors() override;
    int SelectedAction() override;
    KeyEntry ReadKeyEntry() override;
    RunTexts Texts() override;
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
    // The main window the page sits in; none while the page stands alone.
    TfrmMain* Main() const;

    TframGo& page_;
    // False while the log is empty: the next line then becomes its first.
    bool logHasLines_ = true;
};

}  // namespace tarvoss
