#include "run/QtRunHost.h"

#include <QThread>
#include <QTimer>
#include <memory>

namespace tarvoss {

QtRunHost::QtRunHost(RunWindow& window, QObject* parent)
    : QObject(parent), window_(window), flushTimer_(new QTimer(this)) {
    flushTimer_->setSingleShot(true);
    flushTimer_->setInterval(kFlushInterval);
    connect(flushTimer_, &QTimer::timeout, this, &QtRunHost::Flush);
}

QtRunHost::~QtRunHost() { Shutdown(); }

bool QtRunHost::OnWindowThread() const { return QThread::currentThread() == thread(); }

template <typename T>
std::optional<T> QtRunHost::Ask(std::function<T()> question) {
    if (OnWindowThread()) {
        if (std::lock_guard lock(mutex_); closed_) return std::nullopt;
        return question();
    }
    // The answer lives on the heap: a worker released by Shutdown leaves
    // before a question already under way on the window thread is answered.
    auto answer = std::make_shared<std::optional<T>>();
    {
        std::lock_guard lock(mutex_);
        if (closed_) return std::nullopt;
    }
    QMetaObject::invokeMethod(
        this,
        [this, answer, question = std::move(question)] {
            if (std::lock_guard lock(mutex_); closed_) return;
            T value = question();
            {
                std::lock_guard lock(mutex_);
                *answer = std::move(value);
            }
            answered_.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    answered_.wait(lock, [&] { return answer->has_value() || closed_; });
    return *answer;
}

template <typename T>
T QtRunHost::AskRemembered(T Answers::*field, std::function<T()> question) {
    const std::optional<T> value = Ask<T>([this, field, question = std::move(question)] {
        T answer = question();
        std::lock_guard lock(mutex_);
        answers_.*field = answer;
        return answer;
    });
    if (value) return *value;
    std::lock_guard lock(mutex_);
    return answers_.*field;
}

void QtRunHost::RememberAnswers() {
    Answers answers;
    answers.mode = window_.Mode();
    answers.deleteSources = window_.DeleteSources();
    answers.showErrors = window_.ShowErrors();
    answers.action = window_.ChosenAction();
    std::lock_guard lock(mutex_);
    answers_ = answers;
}

void QtRunHost::BoxWait::Dismiss() {
    {
        std::lock_guard lock(mutex);
        dismissed = true;
    }
    over.notify_all();
}

void QtRunHost::BoxWait::Wait() {
    std::unique_lock lock(mutex);
    over.wait(lock, [this] { return dismissed; });
}

void QtRunHost::DismissWaits() {
    for (const std::weak_ptr<BoxWait>& held : boxWaits_) {
        if (const auto wait = held.lock()) wait->Dismiss();
    }
    boxWaits_.clear();
}

void QtRunHost::QuietBoxes() {
    {
        std::lock_guard lock(mutex_);
        quiet_ = true;
        DismissWaits();
    }
    window_.CloseOpenBoxes();
}

void QtRunHost::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        reports_.clear();
        DismissWaits();
    }
    answered_.notify_all();
    flushTimer_->stop();
}

// --- Reads ---

std::size_t QtRunHost::RowCount() {
    return Ask<std::size_t>([this] { return window_.RowCount(); }).value_or(0);
}

std::optional<RunRow> QtRunHost::Row(std::size_t index) {
    return Ask<std::optional<RunRow>>([this, index] { return window_.Row(index); }).value_or(std::nullopt);
}

ProcessingMode QtRunHost::Mode() {
    return AskRemembered<ProcessingMode>(&Answers::mode, [this] { return window_.Mode(); });
}

bool QtRunHost::DeleteSources() {
    return AskRemembered<bool>(&Answers::deleteSources, [this] { return window_.DeleteSources(); });
}

bool QtRunHost::ShowErrors() {
    return AskRemembered<bool>(&Answers::showErrors, [this] { return window_.ShowErrors(); });
}

std::optional<Direction> QtRunHost::ChosenAction() {
    return AskRemembered<std::optional<Direction>>(&Answers::action, [this] { return window_.ChosenAction(); });
}

void QtRunHost::ReloadSettings() {
    Ask<bool>([this] {
        window_.ReloadSettings();
        return true;
    });
}

void QtRunHost::ShowError(const std::string& text, const std::string& caption) {
    if (OnWindowThread()) {
        // Nothing runs the window's loop while this thread waits: a box
        // asked for here is shown and answered at once.
        if (std::lock_guard lock(mutex_); closed_ || quiet_) return;
        Flush();
        window_.ShowError(text, caption);
        return;
    }
    auto wait = std::make_shared<BoxWait>();
    {
        std::lock_guard lock(mutex_);
        if (closed_ || quiet_) return;
        std::erase_if(boxWaits_, [](const std::weak_ptr<BoxWait>& held) { return held.expired(); });
        boxWaits_.push_back(wait);
    }
    auto open = [this, wait, text, caption] {
        {
            std::lock_guard lock(mutex_);
            if (closed_ || quiet_) return wait->Dismiss();
        }
        // The log shows everything up to the failure while the box is up.
        Flush();
        window_.OpenError(text, caption, [wait] { wait->Dismiss(); });
    };
    QMetaObject::invokeMethod(this, open, Qt::QueuedConnection);
    wait->Wait();
}

// --- Reports ---

void QtRunHost::Post(Report report) {
    bool first = false;
    {
        std::lock_guard lock(mutex_);
        if (closed_) return;
        first = reports_.empty();
        reports_.push_back(std::move(report));
    }
    if (first) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!flushTimer_->isActive()) flushTimer_->start();
            },
            Qt::QueuedConnection);
    }
}

void QtRunHost::Flush() {
    std::vector<Report> reports;
    {
        std::lock_guard lock(mutex_);
        if (closed_) return;
        reports.swap(reports_);
    }
    flushTimer_->stop();
    LogChanges log;
    for (const Report& report : reports) Apply(report, log);
    if (!log.Empty()) window_.ChangeLog(log);
}

void QtRunHost::Apply(const Report& report, LogChanges& log) {
    using Kind = Report::Kind;
    switch (report.kind) {
    case Kind::ClearLog: log.Clear(); break;
    case Kind::AddLogLine: log.AddLine(report.text); break;
    case Kind::AppendToLog: log.Append(report.text); break;
    case Kind::CurrentFileName: window_.SetCurrentFileName(report.text); break;
    case Kind::TotalRange: window_.SetTotalRange(report.number); break;
    case Kind::StepTotal: window_.StepTotal(); break;
    case Kind::ActionButton: window_.SetActionButton(report.flag); break;
    case Kind::StopVisible: window_.SetStopVisible(report.flag); break;
    case Kind::StatusText: window_.SetStatusText(report.text); break;
    case Kind::RunEnded:
        // Whoever learns of the end sees the whole log.
        if (!log.Empty()) window_.ChangeLog(log);
        log = LogChanges();
        window_.RunEnded();
        break;
    }
}

void QtRunHost::ClearLog() { Post({Report::Kind::ClearLog, {}}); }
void QtRunHost::AddLogLine(const std::string& line) { Post({Report::Kind::AddLogLine, line}); }
void QtRunHost::AppendToLog(const std::string& text) { Post({Report::Kind::AppendToLog, text}); }
void QtRunHost::SetCurrentFileName(const std::string& name) { Post({Report::Kind::CurrentFileName, name}); }
void QtRunHost::SetTotalRange(std::size_t rows) { Post({Report::Kind::TotalRange, {}, rows}); }
void QtRunHost::StepTotal() { Post({Report::Kind::StepTotal, {}}); }
void QtRunHost::SetActionButton(bool busy) { Post({Report::Kind::ActionButton, {}, 0, busy}); }
void QtRunHost::SetStopVisible(bool visible) { Post({Report::Kind::StopVisible, {}, 0, visible}); }
void QtRunHost::SetStatusText(const std::string& text) { Post({Report::Kind::StatusText, text}); }
void QtRunHost::ReportRunEnded() { Post({Report::Kind::RunEnded, {}}); }

}  // namespace tarvoss
