#include "cipher/ResumeProof.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tarvoss {
namespace {

constexpr std::uint64_t kUntornBytes = 512;

// The form the result's place in the file has before `window` is written;
// `firstUnknown` is set when its first byte cannot be told from the record.
std::vector<std::uint8_t> FormBefore(const WindowPlan& plan, const Window& window,
                                     const std::vector<std::uint8_t>& record, std::uint32_t delta, const CipherKey& key,
                                     bool& firstUnknown) {
    const FileLayout& layout = plan.Layout();
    const std::size_t B = layout.blockBytes;
    const auto n = static_cast<std::int32_t>(B / 4);
    std::vector<std::uint8_t> before(window.outputLength, 0);
    firstUnknown = false;
    if (plan.GetDirection() == Direction::Encrypt) {
        // The record is the header byte (first window), the window's blocks
        // and the carried block, encrypted: taken back, the plain bytes from
        // the window's first block on.
        const std::size_t lead = window.writesHeader ? 1 : 0;
        std::vector<std::uint8_t> plain(record.begin() + static_cast<std::ptrdiff_t>(lead), record.end());
        TransformBlocks(Direction::Decrypt, delta, key, n, plain.data(), plain.size() / B);
        const std::uint64_t plainFrom = window.index == 0 ? 0 : (window.outputOffset - 1) / B * B;
        for (std::size_t i = 0; i < before.size(); ++i) {
            const std::uint64_t at = window.outputOffset + i;
            const std::uint64_t inPlain = at - plainFrom;
            if (at < layout.plainLength && inPlain < plain.size()) before[i] = plain[inPlain];
        }
        return before;
    }
    // Decryption: the result's blocks, encrypted again, are the bytes one
    // further on (the last block's zero padding is checked before a file is
    // decrypted at all).
    std::vector<std::uint8_t> encrypted(window.cipherBlocks * B, 0);
    if (window.outputLength > 0) std::memcpy(encrypted.data(), record.data(), window.outputLength);
    TransformBlocks(Direction::Encrypt, delta, key, n, encrypted.data(), window.cipherBlocks);
    if (!before.empty()) before[0] = layout.tail;
    firstUnknown = window.index > 0;
    for (std::size_t i = 1; i < before.size(); ++i) before[i] = encrypted[i - 1];
    return before;
}

// Whether every untorn piece of the window's place is wholly before or after.
bool WindowInWork(const WindowPlan& plan, FileRecord& file, std::uint64_t length, std::uint64_t index,
                  const std::vector<std::uint8_t>& record, std::uint32_t delta, const CipherKey& key, bool& inWork) {
    const Window window = plan.At(index);
    bool firstUnknown = false;
    const std::vector<std::uint8_t> before = FormBefore(plan, window, record, delta, key, firstUnknown);
    const std::uint8_t* after = record.data();
    // Bytes not there yet (a file being encrypted, cut by a crash before its
    // growth reached the disk) are as before.
    const std::size_t there =
        length > window.outputOffset
            ? static_cast<std::size_t>(std::min<std::uint64_t>(window.outputLength, length - window.outputOffset))
            : 0;
    std::vector<std::uint8_t> now(there);
    if (there > 0 && !file.ReadAt(window.outputOffset, now.data(), there)) return false;
    inWork = true;
    for (std::size_t from = 0; from < window.outputLength && inWork;) {
        const std::uint64_t at = window.outputOffset + from;
        const std::size_t to = static_cast<std::size_t>(
            std::min<std::uint64_t>(window.outputLength, (at / kUntornBytes + 1) * kUntornBytes - window.outputOffset));
        bool isAfter = to <= there, isBefore = true;
        for (std::size_t i = from; i < to; ++i) {
            if (i >= there) continue;
            isAfter = isAfter && now[i] == after[i];
            isBefore = isBefore && (now[i] == before[i] || (i == 0 && firstUnknown));
        }
        inWork = isAfter || isBefore;
        from = to;
    }
    return true;
}

// Whether the results of windows 0 .. newest - 2 in the file give `expected`.
bool FinishedPartMatches(const WindowPlan& plan, FileRecord& file, std::uint64_t newest, std::uint64_t seal,
                         std::uint64_t expected, bool& matches) {
    std::vector<std::uint8_t> buffer(plan.BufferBytes());
    std::uint64_t finished = NothingFinished(seal);
    for (std::uint64_t index = 0; index + 2 <= newest; ++index) {
        const Window window = plan.At(index);
        if (!file.ReadAt(window.outputOffset, buffer.data(), window.outputLength)) return false;
        finished = AddFinished(finished, index, OutputChecksum(seal, buffer.data(), window.outputLength));
    }
    matches = finished == expected;
    return true;
}

}  // namespace

bool FileIsAsJournalSays(const WindowPlan& plan, FileRecord& file, const ResumePoint& point, std::uint64_t seal,
                         std::uint32_t delta, const CipherKey& key, const WindowChecksum& computeFromFile,
                         bool& matches) {
    matches = false;
    std::uint64_t length = 0;
    if (!file.Size(length)) return false;
    const FileLayout& layout = plan.Layout();
    if (!point.started) {
        const bool encrypting = plan.GetDirection() == Direction::Encrypt;
        if (length != (encrypting ? layout.plainLength : layout.encryptedLength)) return true;
    } else {
        if (length < layout.plainLength || length > layout.encryptedLength) return true;
        bool holds = true;
        if (point.newest >= 1 &&
            !WindowInWork(plan, file, length, point.newest - 1, point.previousData, delta, key, holds))
            return false;
        if (holds && !WindowInWork(plan, file, length, point.newest, point.newestData, delta, key, holds)) return false;
        if (holds && !FinishedPartMatches(plan, file, point.newest, seal, point.newestHead.finishedChecksum, holds))
            return false;
        if (!holds) return true;
    }
    if (point.nextTorn) {
        std::uint64_t checksum = 0;
        if (!computeFromFile(plan.At(point.nextHead.window), checksum)) return false;
        if (checksum != point.nextHead.outputChecksum) return true;
    }
    matches = true;
    return true;
}

}  // namespace tarvoss
