#pragma once
// The process-wide cipher record shared by the file transforms and the
// processing page: the delta constant, the progress of the file being
// transformed and the key of the current batch.

#include <array>
#include <atomic>
#include <cstdint>

namespace tarvoss {

// The four 32-bit key words key[0] to key[3].
using CipherKey = std::array<std::uint32_t, 4>;

struct CipherState {
    // Written once at start-up and never changed; the block operations take it
    // by reference.
    std::uint32_t delta = 0x9E3779B9;
    // Progress of the current file, 0 to 100. Written by the transforms on the
    // worker thread and polled by the window without a lock.
    std::atomic<std::uint32_t> filePercent{0};
    // Written by key assembly when a batch starts, before its first block.
    CipherKey key{};
};

static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "filePercent must be a single lock-free 32-bit cell");
static_assert(sizeof(std::atomic<std::uint32_t>) == sizeof(std::uint32_t),
              "filePercent must be a single lock-free 32-bit cell");

// The one record of the process.
CipherState& TheCipherState();

}  // namespace tarvoss
