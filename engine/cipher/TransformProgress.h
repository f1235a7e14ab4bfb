#pragma once
// Progress of one transform in whole percent, written to the one atomic cell
// the window polls. Pieces may finish on several threads; the cell only ever
// shows the share of bytes done so far, and 100 only once the file is done.

#include <atomic>
#include <cstdint>
#include <mutex>

namespace tarvoss {

class TransformProgress {
public:
    TransformProgress(std::atomic<std::uint32_t>& cell, std::uint64_t totalBytes) : cell_(cell), total_(totalBytes) {}

    void Advance(std::uint64_t bytes) {
        std::lock_guard lock(mutex_);
        done_ += bytes;
        if (done_ >= total_) return;
        const auto percent = static_cast<std::uint32_t>(100 * done_ / total_);
        if (percent != shown_) {
            shown_ = percent;
            cell_.store(percent);
        }
    }

    void Finish() { cell_.store(100); }

private:
    std::atomic<std::uint32_t>& cell_;
    std::uint64_t total_;
    std::uint64_t done_ = 0;
    std::uint32_t shown_ = 101;  // nothing shown yet
    std::mutex mutex_;
};

}  // namespace tarvoss
