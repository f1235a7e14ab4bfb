#pragma once
// Ctrl+C and the system's request to end (SIGINT, SIGTERM) as requests the
// main thread picks up between progress updates, instead of ending the
// process in the middle of a file. Create it before any other thread: threads
// started afterwards inherit the blocked signals, so only Wait() ever
// receives them.

#include <memory>

namespace tarvoss {

class InterruptWatch {
public:
    // Blocks SIGINT and SIGTERM for the calling thread and ignores SIGPIPE, so
    // a closed output does not kill a run half-way through a file.
    // The signals stay blocked for the rest of the process: one that arrives
    // after the run has ended must not change the exit status.
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    enum class Event { Timeout, Interrupt, Wake };
    // Waits up to `milliseconds` for an interrupt or a Wake().
    Event Wait(int milliseconds);
    // Ends the creating thread's Wait() at once; callable from any thread,
    // so the end of a run is seen without waiting for the next timeout.
    void Wake() const;

private:
    struct Watcher;
    std::unique_ptr<Watcher> watcher_;
};

}  // namespace tarvoss
