#pragma once
// The Go! page's side of a run, on the window thread: it answers the run's
// live reads from the wizard's choices (the list, the processing mode, the
// deletion choice and the action) and from the Settings dialog, and shows its
// reports in the page's controls and in the status bar.

#include <functional>

#include "run/RunWindow.h"

class QLabel;
class QPlainTextEdit;

namespace tarvoss {

class FlatButton;
class MessageBoxes;
class TCGauge;
class TfrmOptions;
class Wizard;
struct GoTexts;

// The controls of the Go! page that show a run (not owned).
struct RunControls {
    QPlainTextEdit* log = nullptr;
    QLabel* currentFileName = nullptr;
    TCGauge* totalGauge = nullptr;
    FlatButton* actionButton = nullptr;
    FlatButton* stopButton = nullptr;
};

class PageRunWindow final : public RunWindow {
public:
    // `texts` are the page's, kept up to date by it; the run's boxes are
    // shown in `boxes` (not owned); `ended` runs when a worker has ended and
    // everything it reported is shown.
    PageRunWindow(const RunControls& controls, const GoTexts& texts, MessageBoxes& boxes, std::function<void()> ended);

    // The window whose choices the run reads (not owned); none while the
    // page stands alone.
    void SetWizard(Wizard* wizard) { wizard_ = wizard; }

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
    void CloseOpenBoxes() override;

private:
    // The wizard's Settings dialog; none without a wizard or before the dialog is made.
    TfrmOptions* Settings() const;

    RunControls controls_;
    const GoTexts& texts_;
    MessageBoxes& boxes_;
    std::function<void()> ended_;
    Wizard* wizard_ = nullptr;
    // False while the log is empty: the next line then becomes its first.
    bool logHasLines_ = true;
};

}  // namespace tarvoss
