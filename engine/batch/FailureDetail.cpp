#include "batch/FailureDetail.h"

#include "cipher/FileLayout.h"
#include "platform/FileSystem.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

// Whether the layout cannot hold `source` in this direction. TooLarge alone does
// not tell: a write beyond the process's file size limit fails with it too.
bool TooLargeForLayout(Direction direction, const std::string& source) {
    const KeepLastError keep;
    std::uint64_t length = 0;
    if (!GetFileSize(source, length)) return false;
    if (direction == Direction::Decrypt) return length >= kLayoutLengthLimit;
    FileLayout layout;
    return !LayoutOfPlainFile(length, kBlockWords, layout);
}

}  // namespace

std::string ItemFailureDetail(const RunTexts& texts, Direction direction, const std::string& source) {
    const int failure = GetLastError();
    if (IsError(failure, ErrorCondition::TooLarge) && TooLargeForLayout(direction, source))
        return texts.tooLargeForLayout;
    // A file that is not in the encrypted layout is the one case where the
    // design's guess at a key that never encrypted it is the right words.
    if (failure == kNotEncryptedFile && direction == Direction::Decrypt) return std::string(kDecryptionFailedDetail);
    return SystemFailureDetail(texts);
}

std::string SystemFailureDetail(const RunTexts& texts) {
    const int failure = GetLastError();
    if (failure == 0) return std::string(kEncryptionFailedDetail);
    // The description ends in a line break, as system descriptions do (the
    // box shows it so; the log line drops it).
    const std::string reason = DescribeError(failure);
    return LastErrorIsRead() ? texts.readError + " " + reason : reason;
}

}  // namespace tarvoss
