#include "batch/FailureDetail.h"

#include "batch/RunTexts.h"
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
    std::uint64_t length = 0;
    if (!GetFileSize(source, length)) return false;
    if (direction == Direction::Decrypt) return length >= kLayoutLengthLimit;
    FileLayout layout;
    return !LayoutOfPlainFile(length, kBlockWords, layout);
}

}  // namespace

std::string_view ItemFailureDetail(Direction direction, const std::string& source) {
    const int failure = GetLastError();
    const bool tooLarge = IsError(failure, ErrorCondition::TooLarge) && TooLargeForLayout(direction, source);
    SetLastError(failure);
    return tooLarge ? kTooLargeForLayout : FailureDetail(direction);
}

}  // namespace tarvoss
