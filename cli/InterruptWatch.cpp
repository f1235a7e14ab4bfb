#include "InterruptWatch.h"

#include <pthread.h>
#include <signal.h>

#include <ctime>

namespace tarvoss::cli {
namespace {

sigset_t Interrupts() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

InterruptWatch::InterruptWatch() {
    const sigset_t set = Interrupts();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

bool InterruptWatch::Wait(int milliseconds) {
    const sigset_t set = Interrupts();
    timespec timeout{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    return sigtimedwait(&set, nullptr, &timeout) > 0;
}

}  // namespace tarvoss::cli
