#include "cipher/PieceRunner.h"

#include "platform/LastError.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace tarvoss {

namespace {

// Enough threads to keep the disk and the cipher busy at once; each holds one
// piece buffer, so this also bounds the memory of a transform.
constexpr unsigned kMaxWorkers = 4;

}  // namespace

unsigned PieceRunner::WorkersFor(std::uint64_t pieceCount) {
    if (pieceCount < 2) return 1;
    const unsigned cores = std::max(2u, std::min(std::thread::hardware_concurrency(), kMaxWorkers));
    return static_cast<unsigned>(std::min<std::uint64_t>(pieceCount, cores));
}

bool PieceRunner::Run(std::uint64_t pieceCount, unsigned workers, const Work& work) {
    pieceCount_ = pieceCount;
    std::vector<std::thread> helpers;
    try {
        helpers.reserve(workers);
    } catch (const std::bad_alloc&) {
        return FailWith(ErrorCondition::OutOfMemory);
    }
    if (!StartHelpers(workers, work, helpers)) Fail(ErrorCode(ErrorCondition::NoThreads));
    Start();
    if (!failed_.load()) Worker(0, work);
    for (std::thread& helper : helpers) helper.join();
    if (failed_.load()) return errorIsRead_ ? FailReading(error_) : FailWith(error_);
    return true;
}

bool PieceRunner::StartHelpers(unsigned workers, const Work& work, std::vector<std::thread>& helpers) {
    for (unsigned worker = 1; worker < workers; ++worker) {
        try {
            helpers.emplace_back(&PieceRunner::Helper, this, worker, std::cref(work));
        } catch (const std::system_error&) {
            break;
        }
    }
    return workers == 1 || !helpers.empty();
}

void PieceRunner::Start() {
    {
        std::lock_guard lock(mutex_);
        started_ = true;
    }
    changed_.notify_all();
}

void PieceRunner::Helper(unsigned worker, const Work& work) {
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return started_; });
    }
    Worker(worker, work);
}

void PieceRunner::Worker(unsigned worker, const Work& work) {
    while (!failed_.load(std::memory_order_relaxed)) {
        if (abandon_ != nullptr && abandon_->load(std::memory_order_relaxed)) {
            Fail(ErrorCode(ErrorCondition::Canceled));
            return;
        }
        const std::uint64_t piece = next_.fetch_add(1);
        if (piece >= pieceCount_) return;
        if (!work(worker, piece)) {
            Fail(GetLastError() != 0 ? GetLastError() : EIO, LastErrorIsRead());
            return;
        }
    }
}

void PieceRunner::Fail(int code, bool isRead) {
    {
        std::lock_guard lock(mutex_);
        if (!failed_.load()) {
            error_ = code;
            errorIsRead_ = isRead;
            failed_.store(true);
        }
    }
    changed_.notify_all();
}

bool PieceRunner::WaitTurnToWrite(std::uint64_t piece) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_.load() || writtenBelow_ == piece; });
    return !failed_.load();
}

void PieceRunner::Written(std::uint64_t piece) {
    {
        std::lock_guard lock(mutex_);
        writtenBelow_ = piece + 1;
    }
    changed_.notify_all();
}

}  // namespace tarvoss
