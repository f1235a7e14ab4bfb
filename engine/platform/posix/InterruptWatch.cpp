#include "platform/InterruptWatch.h"

#include <pthread.h>
#include <signal.h>

#include <ctime>

namespace tarvoss {
namespace {

// SIGUSR1 carries Wake() from the worker to the watching thread.
constexpr int kWakeSignal = SIGUSR1;

sigset_t WatchedSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, kWakeSignal);
    return set;
}

}  // namespace

struct InterruptWatch::Watcher {
    pthread_t thread;
};

InterruptWatch::InterruptWatch() : watcher_(std::make_unique<Watcher>(Watcher{pthread_self()})) {
    const sigset_t set = WatchedSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

InterruptWatch::Event InterruptWatch::Wait(int milliseconds) {
    const sigset_t set = WatchedSignals();
    timespec timeout{milliseconds / 1000, static_cast<long>(milliseconds % 1000) * 1000000L};
    const int signal = sigtimedwait(&set, nullptr, &timeout);
    if (signal == kWakeSignal) return Event::Wake;
    return signal > 0 ? Event::Interrupt : Event::Timeout;
}

InterruptWatch::~InterruptWatch() = default;

void InterruptWatch::Wake() const { pthread_kill(watcher_->thread, kWakeSignal); }

}  // namespace tarvoss
