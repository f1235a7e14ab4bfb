#include "run/PageRunWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTextCursor>

#include "common/MessageBoxes.h"
#include "model/FileListModel.h"
#include "model/RunChoices.h"
#include "model/Wizard.h"
#include "run/GoTexts.h"
#include "settings/OptionsForm.h"
#include "widgets/Colours.h"
#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {
PageRunWindow::PageRunWindow(const RunControls& controls, const GoTexts& texts, MessageBoxes& boxes,
                             std::function<void()> ended)
    : controls_(controls), texts_(texts), boxes_(boxes), ended_(std::move(ended)) {}

TfrmOptions* PageRunWindow::Settings() const { return wizard_ != nullptr ? wizard_->SettingsDialog() : nullptr; }

// --- Reads ---

std::size_t PageRunWindow::RowCount() { return wizard_ != nullptr ? wizard_->Choices().Items().Count() : 0; }

std::optional<RunRow> PageRunWindow::Row(std::size_t index) {
    if (wizard_ == nullptr || index >= wizard_->Choices().Items().Count()) return std::nullopt;
    return static_cast<const RunRow&>(wizard_->Choices().Items().Row(index));
}

ProcessingMode PageRunWindow::Mode() {
    return wizard_ != nullptr ? wizard_->Choices().Mode() : ProcessingMode::InPlace;
}

bool PageRunWindow::DeleteSources() { return wizard_ != nullptr && wizard_->Choices().DeleteSources(); }

bool PageRunWindow::ShowErrors() {
    const TfrmOptions* settings = Settings();
    return settings != nullptr && settings->ShowErrors();
}

std::optional<Direction> PageRunWindow::ChosenAction() {
    return wizard_ != nullptr ? wizard_->Choices().ChosenDirection() : std::nullopt;
}

void PageRunWindow::ReloadSettings() {
    // Loading the settings also makes the program's folder the current
    // directory, so every run starts from there.
    if (TfrmOptions* settings = Settings()) settings->LoadSettings();
}

// --- Reports ---

void PageRunWindow::ChangeLog(const LogChanges& changes) {
    QPlainTextEdit* log = controls_.log;
    if (changes.clear) {
        log->clear();
        logHasLines_ = false;
    }
    QTextCursor end(log->document());
    end.movePosition(QTextCursor::End);
    if (!changes.appendToLast.empty()) {
        end.insertText(QString::fromStdString(changes.appendToLast));
        logHasLines_ = true;
    }
    if (!changes.lines.empty()) {
        QStringList lines;
        lines.reserve(static_cast<qsizetype>(changes.lines.size()));
        for (const std::string& line : changes.lines) lines << QString::fromStdString(line);
        end.insertText((logHasLines_ ? "\n" : "") + lines.join('\n'));
        logHasLines_ = true;
    }
    // The log follows its newest line.
    log->verticalScrollBar()->setValue(log->verticalScrollBar()->maximum());
}

void PageRunWindow::SetCurrentFileName(const std::string& name) {
    controls_.currentFileName->setText(QString::fromStdString(name));
}

void PageRunWindow::SetTotalRange(std::size_t rows) {
    controls_.totalGauge->SetProgress(0);
    controls_.totalGauge->SetMinValue(0);
    controls_.totalGauge->SetMaxValue(static_cast<std::int64_t>(rows));
}

void PageRunWindow::StepTotal() { controls_.totalGauge->AddProgress(1); }

void PageRunWindow::SetActionButton(bool busy) {
    controls_.actionButton->setFaceColour(busy ? kBusyFace : kButtonFace);
    controls_.actionButton->setBusy(busy);
}

void PageRunWindow::SetStopVisible(bool visible) { controls_.stopButton->setVisible(visible); }

void PageRunWindow::SetStatusText(const std::string& text) {
    if (wizard_ != nullptr) wizard_->SetStatusText(QString::fromStdString(text));
}

void PageRunWindow::ShowError(const std::string& text, const std::string& caption) { boxes_.ShowError(text, caption); }

void PageRunWindow::OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) {
    boxes_.OpenError(text, caption, std::move(dismissed));
}

void PageRunWindow::CloseOpenBoxes() { boxes_.CloseOpenBoxes(); }

void PageRunWindow::RunEnded() { ended_(); }

}  // namespace tarvoss
