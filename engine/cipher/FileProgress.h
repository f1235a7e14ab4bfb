#pragma once
// How far the transform of the file in work has come, 0 to 100. A run owns
// one: its transforms write it on the worker threads, and the window's timer
// or the command line's progress line reads it without a lock.

#include <atomic>
#include <cstdint>

namespace tarvoss {

using FileProgress = std::atomic<std::uint32_t>;

static_assert(FileProgress::is_always_lock_free, "the file progress must be a single lock-free 32-bit cell");
static_assert(sizeof(FileProgress) == sizeof(std::uint32_t),
              "the file progress must be a single lock-free 32-bit cell");

}  // namespace tarvoss
