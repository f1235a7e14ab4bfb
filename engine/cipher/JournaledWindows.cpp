#include "cipher/JournaledWindows.h"

#include "platform/LastError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace tarvoss {

JournaledWindows::JournaledWindows(const WindowPlan& plan, FileRecord& file, InPlaceJournal& journal,
                                   CipherState& state, const CipherKey& key)
    : plan_(plan), file_(file), journal_(journal), state_(state), key_(key)
{
}

bool JournaledWindows::Prepare()
{
    buffer_.reset(new (std::nothrow) std::uint8_t[plan_.BufferBytes()]);
    return buffer_ ? true : FailWith(ENOMEM);
}

bool JournaledWindows::RunAll()
{
    return RunFrom(0);
}

bool JournaledWindows::Resume()
{
    bool found = false;
    std::uint64_t index = 0;
    std::vector<std::uint8_t> record;
    if (!journal_.NewestRecord(found, index, record))
        return false;
    if (!found)
        return RunFrom(0);
    if (index >= plan_.Count())
        return FailWith(EILSEQ);
    const Window window = plan_.At(index);
    if (record.size() != window.outputLength + window.carryLength)
        return FailWith(EILSEQ);
    if (!WriteOut(window, record.data()))
        return false;
    carry_.assign(record.begin() + static_cast<std::ptrdiff_t>(window.outputLength), record.end());
    return RunFrom(index + 1);
}

bool JournaledWindows::RunFrom(std::uint64_t first)
{
    for (std::uint64_t index = first; index < plan_.Count(); ++index) {
        const Window window = plan_.At(index);
        if (!Compute(window))
            return false;
        if (!journal_.WriteRecord(index, buffer_.get(), window.outputLength + window.carryLength)) {
            journalFailed_ = true;
            return false;
        }
        if (!WriteOut(window, buffer_.get()))
            return false;
        carry_.assign(buffer_.get() + window.outputLength, buffer_.get() + window.outputLength + window.carryLength);
        // 100 only once the file is complete, cut to length and closed.
        state_.filePercent.store(static_cast<std::uint32_t>(std::min<std::uint64_t>(99, 100 * (index + 1) / plan_.Count())));
    }
    return true;
}

bool JournaledWindows::Compute(const Window& window)
{
    const FileLayout& layout = plan_.Layout();
    std::uint8_t* buffer = buffer_.get();
    if (window.writesHeader)
        buffer[0] = layout.tail;
    if (window.takesCarry) {
        if (carry_.size() != layout.blockBytes)
            return FailWith(EILSEQ);
        std::memcpy(buffer, carry_.data(), carry_.size());
    }
    if (window.readLength > 0 && !file_.ReadAt(window.readOffset, buffer + window.readInto, window.readLength))
        return false;
    const std::size_t cipherBytes = window.cipherBlocks * layout.blockBytes;
    std::memset(buffer + window.readInto + window.readLength, 0, cipherBytes - window.readLength);
    TransformBlocks(plan_.GetDirection(), state_.delta, key_, static_cast<std::int32_t>(layout.blockBytes / 4),
                    buffer + window.readInto, window.cipherBlocks);
    return true;
}

bool JournaledWindows::WriteOut(const Window& window, const std::uint8_t* result)
{
    fileWritten_ = true;
    return (window.outputLength == 0 || file_.WriteAt(window.outputOffset, result, window.outputLength)) &&
           file_.DataSync();
}

}  // namespace tarvoss
