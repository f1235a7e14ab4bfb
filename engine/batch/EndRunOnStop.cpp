#include "batch/EndRunOnStop.h"

#include <string>

#include "batch/RunHost.h"
#include "batch/RunState.h"

namespace tarvoss {

void EndRunOnStop(RunHost& host, RunState& state, std::string_view text) {
    const std::string line(text);
    host.SetStatusText(line);
    host.AddLogLine(line);
    state.StopRequested = false;
    host.SetActionButton(false);
    throw RunStopped{};
}

}  // namespace tarvoss
