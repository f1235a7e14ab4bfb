#pragma once
// The run host of the window. A worker thread calls it; the window's controls
// are only ever touched on the window thread:
// - reports are queued in the order they are made and applied together a few
//   times a second, so a run of thousands of small files neither freezes the
//   window nor floods it with repaints;
// - reads wait while the window thread answers them, so the run sees what
//   the user last set;
// - an error box is opened without holding up the window, and the worker
//   waits until it is dismissed: the user can still switch pages, press Stop
//   or close the window meanwhile; once the program is quitting (QuietBoxes)
//   no further box is shown;
// - once the window goes away (Shutdown), nothing waits for it any more:
//   reads are answered with the last answers given (the list counts as empty),
//   reports and boxes are dropped. A worker blocked in a read is released at
//   once and can be joined without a deadlock.

#include <QObject>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "batch/RunHost.h"
#include "run/RunWindow.h"

class QTimer;

namespace tarvoss {

class QtRunHost final : public QObject, public RunHost {
    Q_OBJECT
public:
    // Reports reach the window at most this often.
    static constexpr int kFlushInterval = 50;  // ms

    // Create on the window thread; `window` must outlive the host.
    explicit QtRunHost(RunWindow& window, QObject* parent = nullptr);
    ~QtRunHost() override;

    // Takes the window's current answers as the ones given after a shutdown
    // (window thread; call before starting a worker).
    void RememberAnswers();
    // Applies the reports made so far (window thread).
    void Flush();
    // The window goes away (window thread); see above. Cannot be undone.
    void Shutdown();
    // A worker has ended; reaches the window after all its other reports.
    void ReportRunEnded();
    // The program is quitting: the run's boxes still up are dismissed and
    // later ones are not shown; the run goes on otherwise (window thread).
    void QuietBoxes();

    std::size_t RowCount() override;
    std::optional<RunRow> Row(std::size_t index) override;
    ProcessingMode Mode() override;
    bool DeleteSources() override;
    bool ShowErrors() override;
    std::optional<Direction> ChosenAction() override;
    void ReloadSettings() override;

    void ClearLog() override;
    void AddLogLine(const std::string& line) override;
    void AppendToLog(const std::string& text) override;
    void SetCurrentFileName(const std::string& name) override;
    void SetTotalRange(std::size_t rows) override;
    void StepTotal() override;
    void SetActionButton(bool busy) override;
    void SetStopVisible(bool visible) override;
    void SetStatusText(const std::string& text) override;
    void ShowError(const std::string& text, const std::string& caption) override;

private:
    struct Report {
        enum class Kind {
            ClearLog,
            AddLogLine,
            AppendToLog,
            CurrentFileName,
            TotalRange,
            StepTotal,
            ActionButton,
            StopVisible,
            StatusText,
            RunEnded,
        } kind;
        std::string text;
        std::uint64_t number = 0;
        bool flag = false;
    };
    // What the window answered last, given when it can answer no more.
    struct Answers {
        ProcessingMode mode = ProcessingMode::InPlace;
        bool deleteSources = false;
        bool showErrors = false;
        std::optional<Direction> action;
    };

    // A worker waiting for its box to be dismissed.
    struct BoxWait {
        std::mutex mutex;
        std::condition_variable over;
        bool dismissed = false;
        void Dismiss();
        void Wait();
    };

    bool OnWindowThread() const;
    // Releases every worker waiting for a box (mutex_ held).
    void DismissWaits();
    void Post(Report report);
    void Apply(const Report& report, LogChanges& log);
    // Runs `question` on the window thread and waits for its answer; nothing
    // once the host has shut down.
    template <typename T>
    std::optional<T> Ask(std::function<T()> question);
    // Asks, remembers the answer in `field`, and falls back on it.
    template <typename T>
    T AskRemembered(T Answers::*field, std::function<T()> question);

    RunWindow& window_;
    QTimer* flushTimer_;

    std::mutex mutex_;
    std::condition_variable answered_;
    bool closed_ = false;
    bool quiet_ = false;
    std::vector<std::weak_ptr<BoxWait>> boxWaits_;
    std::vector<Report> reports_;
    Answers answers_;
};

}  // namespace tarvoss
