#include "batch/FailureDetail.h"

#include <sys/stat.h>

#include <cerrno>

#include "batch/RunTexts.h"
#include "cipher/FileLayout.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

// The transforms work on blocks of four 32-bit words.
constexpr std::int32_t kBlockWords = 4;

// Whether the layout cannot hold `source` in this direction. EFBIG alone does
// not tell: a write beyond the process's file size limit fails with it too.
bool TooLargeForLayout(Direction direction, const std::string& source) {
    struct stat status {};
    if (::stat(source.c_str(), &status) != 0) return false;
    const auto length = static_cast<std::uint64_t>(status.st_size);
    if (direction == Direction::Decrypt) return length >= kLayoutLengthLimit;
    FileLayout layout;
    return !LayoutOfPlainFile(length, kBlockWords, layout);
}

}  // namespace

std::string_view ItemFailureDetail(Direction direction, const std::string& source, const RunTexts& texts) {
    const int failure = GetLastError();
    const bool tooLarge = failure == EFBIG && TooLargeForLayout(direction, source);
    SetLastError(failure);
    return tooLarge ? std::string_view(texts.tooLargeForLayout) : FailureDetail(direction);
}

}  // namespace tarvoss
