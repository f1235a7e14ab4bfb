#include "cipher/ProcessSignals.h"

#include <csignal>

#include "cipher/MappedSource.h"

namespace tarvoss {

void TakeOverProcessSignals() {
    std::signal(SIGXFSZ, SIG_IGN);
    // Without it, copies read their sources instead of mapping them.
    InstallBusErrorHandler();
}

}  // namespace tarvoss
