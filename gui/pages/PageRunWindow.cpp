#include "pages/PageRunWindow.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTextCursor>

#include "common/MessageBoxes.h"
#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "pages/Wizard.h"
#include "settings/OptionsForm.h"
#include "widgets/Colours.h"
#include "widgets/FlatButton.h"
#include "widgets/Gauge.h"

namespace tarvoss {

std::optional<Direction> ActionOfListEntry(int entry) {
    if (entry == 0) return Direction::Encrypt;
    if (entry == 1) return Direction::Decrypt;
    return std::nullopt;
}

PageRunWindow::PageRunWindow(TframGo& page) : page_(page) {}

Wizard* PageRunWindow::PageWizard() const { return page_.wizard_; }

TfrmOptions* PageRunWindow::Settings() const {
    Wizard* wizard = PageWizard();
    return wizard != nullptr ? wizard->SettingsDialog() : nullptr;
}

// --- Reads ---

std::size_t PageRunWindow::RowCount() {
    Wizard* wizard = PageWizard();
    return wizard != nullptr ? wizard->FilesPage().RowCount() : 0;
}

std::optional<RunRow> PageRunWindow::Row(std::size_t index) {
    Wizard* wizard = PageWizard();
    if (wizard == nullptr) return std::nullopt;
    return wizard->FilesPage().RowAt(index);
}

ProcessingMode PageRunWindow::Mode() {
    Wizard* wizard = PageWizard();
    return wizard != nullptr ? wizard->FilesPage().Mode() : ProcessingMode::InPlace;
}

bool PageRunWindow::DeleteSources() {
    Wizard* wizard = PageWizard();
    return wizard != nullptr && wizard->FilesPage().DeleteSources();
}

bool PageRunWindow::ShowErrors() {
    const TfrmOptions* settings = Settings();
    return settings != nullptr && settings->ShowErrors();
}

std::optional<Direction> PageRunWindow::ChosenAction() {
    Wizard* wizard = PageWizard();
    return wizard != nullptr ? ActionOfListEntry(wizard->ParamsPage().SelectedAction()) : std::nullopt;
}

void PageRunWindow::ReloadSettings() {
    // Loading the settings also makes the program's folder the current
    // directory, so every run starts from there.
    if (TfrmOptions* settings = Settings()) settings->LoadSettings();
}

// --- Reports ---

void PageRunWindow::ChangeLog(const LogChanges& changes) {
    QPlainTextEdit* log = page_.txtLog;
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
    page_.lblCurFileName->setText(QString::fromStdString(name));
}

void PageRunWindow::SetTotalRange(std::size_t rows) {
    page_.pbTotal->SetProgress(0);
    page_.pbTotal->SetMinValue(0);
    page_.pbTotal->SetMaxValue(static_cast<std::int64_t>(rows));
}

void PageRunWindow::StepTotal() { page_.pbTotal->AddProgress(1); }

void PageRunWindow::SetActionButton(bool busy) {
    page_.shpGo->setFaceColour(busy ? kBusyFace : kButtonFace);
    page_.shpGo->setBusy(busy);
}

void PageRunWindow::SetStopVisible(bool visible) { page_.shpStop->setVisible(visible); }

void PageRunWindow::SetStatusText(const std::string& text) {
    if (Wizard* wizard = PageWizard()) wizard->SetStatusText(QString::fromStdString(text));
}

void PageRunWindow::ShowError(const std::string& text, const std::string& caption) {
    tarvoss::ShowError(text, caption);
}

void PageRunWindow::OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) {
    CurrentMessageBoxes().OpenError(text, caption, std::move(dismissed));
}

void PageRunWindow::RunEnded() { page_.WorkerEnded(); }

}  // namespace tarvoss
