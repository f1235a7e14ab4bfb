#include "cipher/PieceRunner.h"

#include "platform/LastError.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

namespace tarvoss {

namespace {

// Enough threads to keep the disk and the cipher busy at once; each holds one
// piece buffer, so this also bounds the memory of a transform.
constexpr unsigned kMaxWorkers = 4;

} // namespace

unsigned PieceRunner::WorkersFor(std::uint64_t pieceCount)
{
    if (pieceCount < 2)
        return 1;
    const unsigned cores = std::max(2u, std::min(std::thread::hardware_concurrency(), kMaxWorkers));
    return static_cast<unsigned>(std::min<std::uint64_t>(pieceCount, cores));
}

bool PieceRunner::Run(std::uint64_t pieceCount, unsigned workers, const Work& work)
{
    pieceCount_ = pieceCount;
    std::vector<std::thread> helpers;
    for (unsigned worker = 1; worker < workers; ++worker) {
        try {
            helpers.emplace_back(&PieceRunner::Worker, this, worker, std::cref(work));
        } catch (const std::system_error&) {
            break;
        }
    }
    // An in-place piece may wait for the next piece's read, which only
    // another worker can do: never run such work alone.
    if (workers > 1 && helpers.empty())
        return FailWith(EAGAIN);
    Worker(0, work);
    for (std::thread& helper : helpers)
        helper.join();
    if (failed_.load())
        return FailWith(error_);
    return true;
}

void PieceRunner::Worker(unsigned worker, const Work& work)
{
    while (!failed_.load(std::memory_order_relaxed)) {
        if (abandon_ != nullptr && abandon_->load(std::memory_order_relaxed)) {
            Fail(ECANCELED);
            return;
        }
        const std::uint64_t piece = next_.fetch_add(1);
        if (piece >= pieceCount_)
            return;
        if (!work(worker, piece)) {
            Fail(GetLastError() != 0 ? GetLastError() : EIO);
            return;
        }
    }
}

void PieceRunner::Fail(int code)
{
    {
        std::lock_guard lock(mutex_);
        if (!failed_.load()) {
            error_ = code;
            failed_.store(true);
        }
    }
    changed_.notify_all();
}

void PieceRunner::MarkRead(std::uint64_t piece)
{
    {
        std::lock_guard lock(mutex_);
        if (piece == readBelow_) {
            ++readBelow_;
            while (readAbove_.erase(readBelow_) > 0)
                ++readBelow_;
        } else {
            readAbove_.insert(piece);
        }
    }
    changed_.notify_all();
}

bool PieceRunner::WaitRead(std::uint64_t piece)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return failed_.load() || piece < readBelow_ || readAbove_.count(piece) > 0; });
    return !failed_.load();
}

} // namespace tarvoss
