#include "cipher/JournaledWindows.h"

#include "cipher/BlockCipher.h"
#include "platform/LastError.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

namespace tarvoss {

namespace {

// Runs `work` on a thread of its own while the caller goes on; Wait() gives
// its result, with the thread's last error taken over on failure. Where no
// thread can be started, the work runs at once on the caller's thread.
class Background {
public:
    template <typename Work>
    explicit Background(Work work) {
        const auto run = [this, work] {
            ok_ = work();
            code_ = ok_ ? 0 : GetLastError();
        };
        try {
            thread_ = std::thread(run);
        } catch (const std::system_error&) {
            run();
        }
    }
    ~Background() {
        if (thread_.joinable()) thread_.join();
    }

    bool Wait() {
        if (thread_.joinable()) thread_.join();
        return ok_ ? true : FailWith(code_);
    }

private:
    std::thread thread_;
    bool ok_ = false;
    int code_ = 0;
};

// Below this many blocks per half, starting a thread costs more than it saves.
constexpr std::size_t kBlocksWorthAThread = 4096;

}  // namespace

JournaledWindows::JournaledWindows(const WindowPlan& plan, FileRecord& file, InPlaceJournal& journal,
                                   FileProgress& progress, const CipherKey& key)
    : plan_(plan), file_(file), journal_(journal), progress_(progress), key_(key), writer_(file, journal) {}

bool JournaledWindows::Prepare() {
    for (auto& buffer : buffers_) {
        buffer.reset(new (std::nothrow) std::uint8_t[plan_.BufferBytes()]);
        if (!buffer) return FailWith(ErrorCondition::OutOfMemory);
    }
    return true;
}

bool JournaledWindows::RunAll() { return RunFrom(0); }

bool JournaledWindows::Resume(const ResumePoint& point) {
    if (!point.started) return RunFrom(0);
    const std::uint64_t newest = point.newest;
    if (newest > 0 && !Redo(newest - 1, point.previousData)) return false;
    if (!Redo(newest, point.newestData)) return false;
    finished_ = point.newestHead.finishedChecksum;
    recent_.clear();
    if (newest > 0) recent_.emplace_back(newest - 1, point.previousHead.outputChecksum);
    recent_.emplace_back(newest, point.newestHead.outputChecksum);
    return RunFrom(newest + 1);
}

bool JournaledWindows::ChecksumFromFile(const Window& window, const ResumePoint& point, std::uint64_t& outputChecksum) {
    carry_.clear();
    if (point.started) CarryFrom(point.newest, point.newestData);
    std::uint8_t* buffer = buffers_[1].get();
    if (!Compute(window, buffer)) return false;
    outputChecksum = OutputChecksum(journal_.Seal(), buffer, window.outputLength);
    return true;
}

void JournaledWindows::CarryFrom(std::uint64_t index, const std::vector<std::uint8_t>& record) {
    const Window window = plan_.At(index);
    carry_.assign(record.begin() + static_cast<std::ptrdiff_t>(window.outputLength), record.end());
}

bool JournaledWindows::Redo(std::uint64_t index, const std::vector<std::uint8_t>& record) {
    const Window window = plan_.At(index);
    if (record.size() != window.outputLength + window.carryLength) return FailWith(ErrorCondition::BadData);
    if (!WriteOut(window, record.data())) return false;
    CarryFrom(index, record);
    return true;
}

bool JournaledWindows::RunFrom(std::uint64_t first) {
    const std::uint64_t count = plan_.Count();
    if (first == 0) {
        finished_ = NothingFinished(journal_.Seal());
        recent_.clear();
    }
    if (first >= count) return true;
    Window current = plan_.At(first);
    if (!ComputeAndRecord(current, buffers_[0].get())) return false;
    for (std::uint64_t index = first; index < count; ++index) {
        std::uint8_t* result = buffers_[(index - first) % 2].get();
        if (!fileWritten_ && beforeFirstWrite_ && !beforeFirstWrite_()) return false;
        fileWritten_ = true;
        Background writing([&, current, result] { return WriteOut(current, result); });
        // Meanwhile the next window, which reads only past what this one writes.
        bool recorded = true;
        Window next;
        if (index + 1 < count) {
            next = plan_.At(index + 1);
            recorded = ComputeAndRecord(next, buffers_[(index + 1 - first) % 2].get());
        }
        const int code = recorded ? 0 : GetLastError();
        if (!writing.Wait()) return false;
        if (!recorded) return FailWith(code);
        current = next;
        // 100 only once the file is complete, cut to length and closed.
        progress_.store(static_cast<std::uint32_t>(std::min<std::uint64_t>(99, 100 * (index + 1) / count)));
    }
    return true;
}

bool JournaledWindows::Compute(const Window& window, std::uint8_t* buffer) {
    const FileLayout& layout = plan_.Layout();
    if (window.writesHeader) buffer[0] = layout.tail;
    if (window.takesCarry) {
        if (carry_.size() != layout.blockBytes) return FailWith(ErrorCondition::BadData);
        std::memcpy(buffer, carry_.data(), carry_.size());
    }
    if (window.readLength > 0 && !file_.ReadAt(window.readOffset, buffer + window.readInto, window.readLength))
        return false;
    const std::size_t cipherBytes = window.cipherBlocks * layout.blockBytes;
    std::memset(buffer + window.readInto + window.readLength, 0, cipherBytes - window.readLength);
    Encipher(buffer + window.readInto, window.cipherBlocks);
    return true;
}

bool JournaledWindows::ComputeAndRecord(const Window& window, std::uint8_t* buffer) {
    if (!Compute(window, buffer)) return false;
    carry_.assign(buffer + window.outputLength, buffer + window.outputLength + window.carryLength);
    const std::uint64_t seal = journal_.Seal();
    // Windows up to the one before the preceding are on disk by now: they
    // join the finished part.
    while (!recent_.empty() && recent_.front().first + 2 <= window.index) {
        finished_ = AddFinished(finished_, recent_.front().first, recent_.front().second);
        recent_.erase(recent_.begin());
    }
    RecordHead head;
    head.window = window.index;
    head.outputLength = window.outputLength;
    head.carryLength = window.carryLength;
    head.outputChecksum = OutputChecksum(seal, buffer, window.outputLength);
    head.carryChecksum = CarryChecksum(seal, window.index, buffer + window.outputLength, window.carryLength);
    head.finishedChecksum = finished_;
    recent_.emplace_back(window.index, head.outputChecksum);
    if (!journal_.WriteRecord(head, window.outputOffset, buffer)) {
        journalFailed_ = true;
        return false;
    }
    return true;
}

void JournaledWindows::Encipher(std::uint8_t* blocks, std::size_t count) {
    const std::uint32_t blockBytes = plan_.Layout().blockBytes;
    const auto transform = [&](std::uint8_t* from, std::size_t piece) {
        TransformBlocks(plan_.GetDirection(), kCipherDelta, key_, static_cast<std::int32_t>(blockBytes / 4), from,
                        piece);
        return true;
    };
    // Large windows are shared with a second thread: the cipher is the larger
    // part of the processor's work here.
    const std::size_t half = count / 2;
    if (half < kBlocksWorthAThread) {
        transform(blocks, count);
        return;
    }
    Background second([&] { return transform(blocks + half * blockBytes, count - half); });
    transform(blocks, half);
    second.Wait();
}

bool JournaledWindows::WriteOut(const Window& window, const std::uint8_t* result) {
    return writer_.Write(window, result);
}

}  // namespace tarvoss
