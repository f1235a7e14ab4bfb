#include "cipher/WindowWriter.h"

#include "platform/CloneRange.h"

namespace tarvoss {

bool WindowWriter::Write(const Window& window, const std::uint8_t* result) {
    const std::uint64_t begin = window.outputOffset;
    const std::uint64_t end = begin + window.outputLength;
    // The whole pages of the result.
    const std::uint64_t first = (begin + kCloneUnit - 1) / kCloneUnit * kCloneUnit;
    const std::uint64_t last = end / kCloneUnit * kCloneUnit;
    const auto writeBytes = [&](std::uint64_t from, std::uint64_t to) {
        return from >= to || file_.WriteAt(from, result + (from - begin), static_cast<std::size_t>(to - from));
    };
    if (!mayShare_ || last <= first) return writeBytes(begin, end) && file_.DataSync();
    if (!writeBytes(begin, first)) return false;
    if (!journal_.ShareInto(file_, window, first, last - first)) {
        // Whatever the reason, the bytes are written instead, now and from
        // here on; a range shared in part is simply written over.
        mayShare_ = false;
        if (!writeBytes(first, last)) return false;
    }
    return writeBytes(last, end) && file_.DataSync();
}

}  // namespace tarvoss
