#pragma once
// Pages for main window tests that write every operation the window calls
// into one shared log, in the order of the calls. Their controls are those of
// the program's pages.

#include <QStringList>

#include "pages/FrameFiles.h"
#include "pages/FrameGo.h"
#include "pages/FrameParams.h"
#include "shell/LanguageSteps.h"
#include "shell/MainForm.h"

namespace tarvoss::test {

class FakeFiles : public TframFiles {
public:
    FakeFiles(MessageBoxes& boxes, QWidget* parent, RunChoices& choices, QStringList& log)
        : TframFiles(boxes, parent, &choices), log_(log) {}
    void AddFiles() override { log_ << "AddFiles"; }
    void AddFolder() override { log_ << "AddFolder"; }
    void RemoveSelected() override { log_ << "RemoveSelected"; }
    void AddPath(const std::string& path) override { log_ << "AddPath " + QString::fromStdString(path); }
    void ArrangePage() override { log_ << "Files.ArrangePage"; }

private:
    QStringList& log_;
};

class FakeParams : public TframParams {
public:
    FakeParams(MessageBoxes& boxes, QWidget* parent, RunChoices& choices, QStringList& log)
        : TframParams(boxes, parent, &choices), log_(log) {}
    void SelectAction(int index) override { log_ << QString("SelectAction %1").arg(index); }
    void lstActionClick() override { log_ << "lstActionClick"; }
    void ArrangePage() override { log_ << "Params.ArrangePage"; }
    void ApplyKeyFormat() override { log_ << "ApplyKeyFormat"; }

private:
    QStringList& log_;
};

class FakeGo : public TframGo {
public:
    FakeGo(MessageBoxes& boxes, QWidget* parent, QStringList& log) : TframGo(boxes, parent), log_(log) {}
    void ArrangePage() override { log_ << "Go.ArrangePage"; }
    void StartAction() override { log_ << "StartAction"; }

private:
    QStringList& log_;
};

class FakeLanguageSteps : public LanguageSteps {
public:
    explicit FakeLanguageSteps(QStringList& log) : log_(log) {}
    void DetermineLanguageFile() override { log_ << "DetermineLanguageFile"; }
    void ApplyLanguageTexts() override { log_ << "ApplyLanguageTexts"; }

private:
    QStringList& log_;
};

inline PageFactory FakePages(QStringList& log) {
    return {
        [&log](MessageBoxes& boxes, QWidget* parent, RunChoices& choices) {
            return new FakeFiles(boxes, parent, choices, log);
        },
        [&log](MessageBoxes& boxes, QWidget* parent, RunChoices& choices) {
            return new FakeParams(boxes, parent, choices, log);
        },
        [&log](MessageBoxes& boxes, QWidget* parent) { return new FakeGo(boxes, parent, log); },
    };
}

}  // namespace tarvoss::test
