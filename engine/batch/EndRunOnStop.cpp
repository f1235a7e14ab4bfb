#include "batch/EndRunOnStop.h"

#include <string>

#include "batch/BatchRun.h"
#include "batch/ItemProcessor.h"
#include "batch/RunHost.h"
#include "batch/RunState.h"

namespace tarvoss {

void EndRunOnStop(BatchRun& run, Direction direction) {
    // Copies that were reported done keep that promise before the run ends.
    NameWaitingCopies(run, direction);
    const std::string line(TerminatedText(direction));
    run.host.SetStatusText(line);
    run.host.AddLogLine(line);
    run.state.StopRequested = false;
    run.host.SetActionButton(false);
    throw RunStopped{};
}

}  // namespace tarvoss
