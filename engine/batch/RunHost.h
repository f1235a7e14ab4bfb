#pragma once
// RunHost: everything a run reads from, and reports to, the outside while it
// goes on (what it takes once at its start comes in RunInputs.h). The window
// and the command line each implement it; the run never touches anything else
// of theirs.
//
// Every call comes from the worker thread, in the order the run makes it. A
// host whose controls live on another thread forwards the reports to that
// thread in the same order (queued calls) and may serve the reads and the
// error box with blocking calls, so the run always sees what the user last
// set. Nothing here asks the host to wait for the run.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "batch/RunRow.h"
#include "batch/RunTexts.h"
#include "cipher/FileTransforms.h"

namespace tarvoss {

enum class ProcessingMode {
    InPlace,  // each file is transformed where it lies
    Copy,     // transformed copies go to the destination directory
};

class RunHost {
public:
    virtual ~RunHost() = default;

    // --- Reads, each answered afresh ---
    virtual std::size_t RowCount() = 0;
    // The row at `index`, or nothing when the list has no such row any more.
    virtual std::optional<RunRow> Row(std::size_t index) = 0;
    // Asked before every row and item: the user may change it during a run.
    virtual ProcessingMode Mode() = 0;
    // Asked for every item, as the mode.
    virtual bool DeleteSources() = 0;
    virtual bool ShowErrors() = 0;
    // The action the user has chosen now; nothing when none is selected. An
    // encrypting run words its finish line by it.
    virtual std::optional<Direction> ChosenAction() = 0;
    // Reloads the stored settings at the start of a run (the window also makes
    // the program's folder the current directory here).
    virtual void ReloadSettings() = 0;

    // --- Reports ---
    virtual void ClearLog() = 0;
    // Adds a line to the log.
    virtual void AddLogLine(const std::string& line) = 0;
    // Appends text to the line added last.
    virtual void AppendToLog(const std::string& text) = 0;
    virtual void SetCurrentFileName(const std::string& name) = 0;
    // The total gauge: progress 0, minimum 0, maximum `rows`.
    virtual void SetTotalRange(std::size_t rows) = 0;
    // One more row done on the total gauge.
    virtual void StepTotal() = 0;
    // The action button shows whether a run is busy (the window decides how).
    virtual void SetActionButton(bool busy) = 0;
    virtual void SetStopVisible(bool visible) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // An error box; returns when the user has dismissed it.
    virtual void ShowError(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tarvoss
