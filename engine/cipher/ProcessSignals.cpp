#include "cipher/ProcessSignals.h"

#include <csignal>

namespace tarvoss {

void TakeOverProcessSignals() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace tarvoss
