// Ctrl+C, Ctrl+Break and closing the console reach the process through a
// console control handler, which Windows runs on a thread of its own: it
// only sets an event that Wait() picks up.

#include "platform/InterruptWatch.h"

#include <windows.h>

namespace tarvoss {
namespace {

// Created once and kept for the process: a request that arrives after the
// run has ended must find a handler that ignores it, not the default one
// that ends the process with another status.
HANDLE InterruptEvent() {
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI OnConsoleControl(DWORD) {
    ::SetEvent(InterruptEvent());
    return TRUE;
}

}  // namespace

struct InterruptWatch::Watcher {
    HANDLE wake = nullptr;
};

InterruptWatch::InterruptWatch() : watcher_(std::make_unique<Watcher>()) {
    watcher_->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    InterruptEvent();
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

InterruptWatch::~InterruptWatch() {
    if (watcher_->wake != nullptr) ::CloseHandle(watcher_->wake);
}

InterruptWatch::Event InterruptWatch::Wait(int milliseconds) {
    const HANDLE events[] = {InterruptEvent(), watcher_->wake};
    const DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, static_cast<DWORD>(milliseconds));
    if (woken == WAIT_OBJECT_0) {
        ::ResetEvent(events[0]);
        return Event::Interrupt;
    }
    return woken == WAIT_OBJECT_0 + 1 ? Event::Wake : Event::Timeout;
}

void InterruptWatch::Wake() const { ::SetEvent(watcher_->wake); }

}  // namespace tarvoss
