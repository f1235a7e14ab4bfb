#pragma once
// The window's side of a run: everything a run reads and reports, answered
// and shown on the window thread. The Qt run host calls it there, with the
// log changes of a short moment taken together.

#include <functional>

#include "batch/RunHost.h"
#include "run/LogChanges.h"

namespace tarvoss {

class RunWindow : public RunHost {
public:
    // Applies several log changes at once.
    virtual void ChangeLog(const LogChanges& changes) = 0;
    // A worker has ended; every report it made has been shown.
    virtual void RunEnded() = 0;
    // Shows a run's error box without holding up the window; `dismissed` runs
    // on the window thread once the box is gone.
    virtual void OpenError(const std::string& text, const std::string& caption, std::function<void()> dismissed) = 0;
    // Closes every box OpenError opened, as if the user had answered it.
    virtual void CloseOpenBoxes() = 0;

    void ClearLog() final {
        LogChanges changes;
        changes.Clear();
        ChangeLog(changes);
    }
    void AddLogLine(const std::string& line) final {
        LogChanges changes;
        changes.AddLine(line);
        ChangeLog(changes);
    }
    void AppendToLog(const std::string& text) final {
        LogChanges changes;
        changes.Append(text);
        ChangeLog(changes);
    }
};

}  // namespace tarvoss
