#pragma once
// The command line's side of a run: the list, options and key come from the
// arguments; the log goes to standard output line by line exactly as the
// window shows it; a progress line goes to standard error when that is a
// terminal. Reports arrive on the worker thread, the progress line is drawn
// from the main thread; one lock keeps the two apart.

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "CliOptions.h"
#include "batch/RunHost.h"
#include "batch/RunTexts.h"
#include "cipher/FileProgress.h"

namespace tarvoss::cli {

// The run's English texts, with the command line's own way of finishing an
// interrupted in-place run.
RunTexts CommandLineTexts();

class CliHost final : public RunHost {
public:
    CliHost(std::vector<RunRow> rows, const CliOptions& options);

    std::size_t RowCount() override { return rows_.size(); }
    std::optional<RunRow> Row(std::size_t index) override;
    ProcessingMode Mode() override { return mode_; }
    bool DeleteSources() override { return deleteSources_; }
    // Every failure is in the log already; the command line shows no boxes for them.
    bool ShowErrors() override { return false; }
    std::optional<Direction> ChosenAction() override { return direction_; }
    void ReloadSettings() override {}

    void ClearLog() override {}
    void AddLogLine(const std::string& line) override;
    void AppendToLog(const std::string& text) override;
    void SetCurrentFileName(const std::string& name) override;
    void SetTotalRange(std::size_t rows) override;
    void StepTotal() override;
    void SetActionButton(bool) override {}
    void SetStopVisible(bool) override {}
    void SetStatusText(const std::string&) override {}
    void ShowError(const std::string& text, const std::string& caption) override;

    // Redraws the progress line with the file in work at `filePercent`
    // (main thread, a few times a second).
    void DrawProgress(const FileProgress& filePercent);
    // A message of the command line itself on standard error (left out when quiet).
    void Note(const std::string& text);
    // Writes the last log line; call once the run has ended.
    void Finish();

private:
    void EmitPendingLine();  // with the lock held
    void ClearProgress();    // with the lock held

    const std::vector<RunRow> rows_;
    const ProcessingMode mode_;
    const bool deleteSources_;
    const Direction direction_;
    const RunTexts texts_;
    const bool quiet_;
    const bool showProgress_;

    std::mutex mutex_;
    std::string pendingLine_;
    bool hasPendingLine_ = false;
    bool pendingFailed_ = false;  // the line ends in the failure mark, or is its detail
    bool detailFollows_ = false;  // the next line is the detail of a failure
    bool progressShown_ = false;
    std::string currentFile_;
    std::size_t totalRows_ = 0;
    std::size_t rowsDone_ = 0;
};

}  // namespace tarvoss::cli
