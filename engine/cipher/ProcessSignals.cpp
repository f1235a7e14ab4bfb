#include "cipher/ProcessSignals.h"

#include "platform/ProcessLimits.h"

namespace tarvoss {

void TakeOverProcessSignals() { FailWritesBeyondSizeLimit(); }

}  // namespace tarvoss
