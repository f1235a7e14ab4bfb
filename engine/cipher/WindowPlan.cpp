#include "cipher/WindowPlan.h"

#include <algorithm>

namespace tarvoss {

WindowPlan::WindowPlan(Direction direction, const FileLayout& layout, std::size_t windowBytes)
    : direction_(direction),
      layout_(layout),
      blocks_((layout.encryptedLength - 1) / layout.blockBytes),
      windowBlocks_(std::max<std::uint64_t>(1, windowBytes / layout.blockBytes)),
      // An empty file still has one window: the header byte, or nothing to cut.
      count_(std::max<std::uint64_t>(1, (blocks_ + windowBlocks_ - 1) / windowBlocks_)) {}

Window WindowPlan::At(std::uint64_t index) const {
    const std::uint64_t B = layout_.blockBytes;
    const std::uint64_t first = index * windowBlocks_;
    const std::uint64_t count = std::min(windowBlocks_, blocks_ - first);
    Window window;
    window.index = index;
    if (direction_ == Direction::Decrypt) {
        window.readOffset = 1 + B * first;
        window.readLength = static_cast<std::size_t>(B * count);
        window.cipherBlocks = static_cast<std::size_t>(count);
        window.outputOffset = B * first;
        window.outputLength = static_cast<std::size_t>(std::min(B * count, layout_.plainLength - B * first));
        return window;
    }
    const bool hasNext = first + count < blocks_;
    const std::size_t lead = index == 0 ? 1 : 0;
    window.writesHeader = index == 0;
    window.takesCarry = index > 0;
    window.carryLength = hasNext ? layout_.blockBytes : 0;
    window.outputOffset = index == 0 ? 0 : 1 + B * first;
    window.outputLength = static_cast<std::size_t>(lead + B * count);
    const std::uint64_t fromBlock = first + (window.takesCarry ? 1 : 0);
    const std::uint64_t toBlock = first + count + (hasNext ? 1 : 0);
    const std::uint64_t plainFrom = std::min(layout_.plainLength, B * fromBlock);
    window.readOffset = plainFrom;
    window.readLength = static_cast<std::size_t>(std::min(layout_.plainLength, B * toBlock) - plainFrom);
    window.readInto = lead + (window.takesCarry ? layout_.blockBytes : 0);
    window.cipherBlocks = static_cast<std::size_t>(toBlock - fromBlock);
    return window;
}

std::size_t WindowPlan::BufferBytes() const {
    return static_cast<std::size_t>(1 + layout_.blockBytes * (windowBlocks_ + 1));
}

std::uint64_t WindowPlan::FinalLength() const {
    return direction_ == Direction::Encrypt ? layout_.encryptedLength : layout_.plainLength;
}

}  // namespace tarvoss
