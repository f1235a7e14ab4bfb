#pragma once
// Runs the pieces of one file transform on a few threads at once, the calling
// thread among them, so that reading, enciphering and writing of different
// pieces overlap. Pieces are claimed in increasing order; the first failure
// stops every thread and becomes the calling thread's last error (marked as a
// read where it was one).

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tarvoss {

class PieceRunner {
public:
    // The work for one piece on worker `worker` (0 to workers - 1). Returns
    // false with its thread's last error set when it fails.
    using Work = std::function<bool(unsigned worker, std::uint64_t piece)>;

    // `abandon`, when given, is looked at before every piece: once set, the
    // run fails with Canceled.
    explicit PieceRunner(const std::atomic<bool>* abandon = nullptr) : abandon_(abandon) {}
    PieceRunner(const PieceRunner&) = delete;
    PieceRunner& operator=(const PieceRunner&) = delete;

    // How many workers a run of `pieceCount` pieces uses: one for a single
    // piece, otherwise at least two.
    static unsigned WorkersFor(std::uint64_t pieceCount);

    // Runs `work` for every piece below `pieceCount` on `workers` threads.
    // Everything the run needs is taken first, and the pieces run only when
    // it was: a run that fails for lack of memory or threads (OutOfMemory, NoThreads)
    // has done nothing else. With more than one worker, at least one further
    // thread must start.
    bool Run(std::uint64_t pieceCount, unsigned workers, const Work& work);
    // For the work: waits until every piece before `piece` has been written,
    // so that pieces are written one at a time and in order. False when the
    // run fails meanwhile. The work calls Written once its piece is out.
    bool WaitTurnToWrite(std::uint64_t piece);
    void Written(std::uint64_t piece);

private:
    bool StartHelpers(unsigned workers, const Work& work, std::vector<std::thread>& helpers);
    void Helper(unsigned worker, const Work& work);
    void Worker(unsigned worker, const Work& work);
    void Fail(int code, bool isRead = false);
    void Start();

    const std::atomic<bool>* abandon_;
    std::uint64_t pieceCount_ = 0;
    std::atomic<std::uint64_t> next_{0};
    std::atomic<bool> failed_{false};
    int error_ = 0;
    bool errorIsRead_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    std::uint64_t writtenBelow_ = 0;  // every piece below it has been written
};

}  // namespace tarvoss
