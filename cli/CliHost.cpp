#include "CliHost.h"

#include <cstdio>
#include <utility>

#include "platform/Console.h"

namespace tarvoss::cli {
namespace {

std::size_t TerminalWidth() { return ErrorConsoleColumns().value_or(80); }

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

}  // namespace

RunTexts CommandLineTexts() {
    RunTexts texts;
    texts.unfinishedInPlaceRun =
        "An in-place run on this file was interrupted: the file may be partly transformed, so it was not copied "
        "and stays as it is. To finish it, run \"tarvoss-cli recover\" with the same key.";
    return texts;
}

CliHost::CliHost(std::vector<RunRow> rows, const CliOptions& options)
    : rows_(std::move(rows)),
      mode_(options.inPlace ? ProcessingMode::InPlace : ProcessingMode::Copy),
      deleteSources_(options.deleteSources),
      direction_(options.direction),
      texts_(CommandLineTexts()),
      quiet_(options.quiet),
      showProgress_(!options.quiet && ErrorStreamIsConsole()) {}

std::optional<RunRow> CliHost::Row(std::size_t index) {
    if (index >= rows_.size()) return std::nullopt;
    return rows_[index];
}

void CliHost::AddLogLine(const std::string& line) {
    std::lock_guard lock(mutex_);
    EmitPendingLine();
    pendingLine_ = line;
    hasPendingLine_ = true;
    pendingFailed_ = detailFollows_;
    detailFollows_ = false;
}

void CliHost::AppendToLog(const std::string& text) {
    std::lock_guard lock(mutex_);
    pendingLine_ += text;
    hasPendingLine_ = true;
    if (text == texts_.cryptingError) {
        pendingFailed_ = true;
        detailFollows_ = true;
    }
}

void CliHost::SetCurrentFileName(const std::string& name) {
    std::lock_guard lock(mutex_);
    currentFile_ = name;
}

void CliHost::SetTotalRange(std::size_t rows) {
    std::lock_guard lock(mutex_);
    totalRows_ = rows;
    rowsDone_ = 0;
}

void CliHost::StepTotal() {
    std::lock_guard lock(mutex_);
    ++rowsDone_;
}

void CliHost::ShowError(const std::string& text, const std::string& caption) {
    std::lock_guard lock(mutex_);
    ClearProgress();
    Write(stderr, "tarvoss-cli: " + caption + ": " + text + "\n");
}

void CliHost::DrawProgress(const FileProgress& filePercent) {
    if (!showProgress_) return;
    std::lock_guard lock(mutex_);
    if (currentFile_.empty() || currentFile_ == "-") return;  // no file in work
    const std::string percent = std::to_string(filePercent.load()) + "%";
    const std::string head = "[" + std::to_string(rowsDone_) + "/" + std::to_string(totalRows_) + "] ";
    std::string name = currentFile_;
    const std::size_t width = TerminalWidth() - 1;
    const std::size_t room = width > head.size() + percent.size() + 1 ? width - head.size() - percent.size() - 1 : 0;
    if (name.size() > room) name = room > 3 ? "..." + name.substr(name.size() - (room - 3)) : std::string();
    Write(stderr, "\r" + head + name + " " + percent + "\x1b[K");
    progressShown_ = true;
}

void CliHost::Note(const std::string& text) {
    if (quiet_) return;
    std::lock_guard lock(mutex_);
    ClearProgress();
    Write(stderr, "tarvoss-cli: " + text + "\n");
}

void CliHost::Finish() {
    std::lock_guard lock(mutex_);
    EmitPendingLine();
    ClearProgress();
}

void CliHost::EmitPendingLine() {
    if (!hasPendingLine_) return;
    ClearProgress();
    // Quiet runs keep only the lines of failed items, on standard error.
    if (!quiet_)
        Write(stdout, pendingLine_ + "\n");
    else if (pendingFailed_)
        Write(stderr, pendingLine_ + "\n");
    hasPendingLine_ = false;
    pendingLine_.clear();
    pendingFailed_ = false;
}

void CliHost::ClearProgress() {
    if (!progressShown_) return;
    Write(stderr, "\r\x1b[K");
    progressShown_ = false;
}

}  // namespace tarvoss::cli
