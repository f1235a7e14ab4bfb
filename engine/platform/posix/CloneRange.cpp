#include "platform/CloneRange.h"

#include <linux/fs.h>
#include <sys/ioctl.h>

#include <cerrno>

#include "platform/FileSteps.h"
#include "platform/LastError.h"
#include "platform/posix/PosixCalls.h"

namespace tarvoss {

bool CloneFileRange(FileRecord& from, std::uint64_t fromOffset, FileRecord& to, std::uint64_t toOffset,
                    std::uint64_t length) {
    if (!PassFileStep({.step = FileStep::Clone,
                       .handle = to.handle,
                       .offset = toOffset,
                       .length = static_cast<std::size_t>(length),
                       .source = from.handle,
                       .sourceOffset = fromOffset}))
        return false;
    file_clone_range range{};
    range.src_fd = FdOf(from.handle);
    range.src_offset = fromOffset;
    range.src_length = length;
    range.dest_offset = toOffset;
    for (;;) {
        if (::ioctl(FdOf(to.handle), FICLONERANGE, &range) == 0) return true;
        if (errno != EINTR) break;
    }
    if (IsError(errno, ErrorCondition::NotSupported)) return FailWith(ErrorCondition::NotSupported);
    return FailWithErrno();
}

}  // namespace tarvoss
