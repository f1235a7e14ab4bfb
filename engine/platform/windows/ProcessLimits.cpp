#include "platform/ProcessLimits.h"

namespace tarvoss {

// Windows sets no file size limit on a process: a write too large for the
// disk fails by itself.
void FailWritesBeyondSizeLimit() {}

// Nor a limit on open handles that a run could meet.
std::optional<std::size_t> OpenFileLimit() { return std::nullopt; }

}  // namespace tarvoss
