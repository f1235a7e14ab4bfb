#pragma once
// A RunHost for tests: the list, options, key and texts are plain fields; every
// report is recorded in order as one short event text, and the log is kept as
// the window would show it. Hooks let a test act at chosen moments of a run
// (remove rows, request a stop, swap a file). Safe to use from a worker thread.

#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "batch/RunHost.h"
#include "batch/RunInputs.h"
#include "cipher/KeyMaterial.h"

namespace tarvoss::testing {

class FakeRunHost final : public RunHost {
public:
    // --- What the run reads (set before the run, or from a hook) ---
    std::vector<RunRow> rows;
    ProcessingMode mode = ProcessingMode::InPlace;
    bool deleteSources = false;
    bool showErrors = false;
    std::optional<Direction> action = Direction::Encrypt;
    // --- What the run takes at its start (see Inputs) ---
    std::string destination;
    KeyEntry key{0, 0, {"12345678", "23456789", "34567890", "45678901", "56789012"}};
    RunTexts texts;

    // The run's inputs from the fields above, the key assembled as the window does.
    RunInputs Inputs(Direction direction) const {
        RunInputs inputs;
        inputs.direction = direction;
        inputs.destination = destination;
        inputs.texts = texts;
        AssembleKey(key, inputs.key);
        return inputs;
    }

    // --- Hooks, called on the worker thread after the event is recorded ---
    std::function<void(const std::string& name)> onCurrentFile;
    std::function<void(const std::string& line)> onLogLine;
    std::function<void()> onStep;

    // --- What the run reported ---
    std::vector<std::string> Events() const {
        std::lock_guard lock(mutex_);
        return events_;
    }
    std::vector<std::string> Log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }
    // File-row helpers.
    static RunRow FileRow(const std::string& folder, const std::string& name) { return {folder + name, RowKind::File}; }
    static RunRow FolderRow(const std::string& folder, const std::string& name) {
        return {folder + name, RowKind::Folder};
    }
    static RunRow DiskRootRow(const std::string& root) { return {root, RowKind::DiskRoot}; }

    std::size_t RowCount() override {
        std::lock_guard lock(mutex_);
        return rows.size();
    }
    std::optional<RunRow> Row(std::size_t index) override {
        std::lock_guard lock(mutex_);
        if (index >= rows.size()) return std::nullopt;
        return rows[index];
    }
    ProcessingMode Mode() override { return mode; }
    bool DeleteSources() override { return deleteSources; }
    bool ShowErrors() override { return showErrors; }
    std::optional<Direction> ChosenAction() override { return action; }
    void ReloadSettings() override { Record("settings"); }

    void ClearLog() override {
        std::lock_guard lock(mutex_);
        log_.clear();
        events_.push_back("clear log");
    }
    void AddLogLine(const std::string& line) override {
        {
            std::lock_guard lock(mutex_);
            log_.push_back(line);
            events_.push_back("log: " + line);
        }
        if (onLogLine) onLogLine(line);
    }
    void AppendToLog(const std::string& text) override {
        std::lock_guard lock(mutex_);
        if (log_.empty()) log_.emplace_back();
        log_.back() += text;
        events_.push_back("append: " + text);
    }
    void SetCurrentFileName(const std::string& name) override {
        Record("file: " + name);
        if (onCurrentFile) onCurrentFile(name);
    }
    void SetTotalRange(std::size_t rowCount) override { Record("range: " + std::to_string(rowCount)); }
    void StepTotal() override {
        Record("step");
        if (onStep) onStep();
    }
    void SetActionButton(bool busy) override { Record(busy ? "busy" : "ready"); }
    void SetStopVisible(bool visible) override { Record(visible ? "stop shown" : "stop hidden"); }
    void SetStatusText(const std::string& text) override { Record("status: " + text); }
    void ShowError(const std::string& text, const std::string& caption) override {
        Record("box " + caption + ": " + text);
    }

private:
    void Record(std::string event) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }

    mutable std::mutex mutex_;
    std::vector<std::string> events_;
    std::vector<std::string> log_;
};

}  // namespace tarvoss::testing
