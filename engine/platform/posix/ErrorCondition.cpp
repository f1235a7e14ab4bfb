#include "platform/ErrorCondition.h"

#include <cerrno>

namespace tarvoss {

int ErrorCode(ErrorCondition condition) {
    switch (condition) {
    case ErrorCondition::NotFound: return ENOENT;
    case ErrorCondition::Exists: return EEXIST;
    case ErrorCondition::AccessDenied: return EACCES;
    case ErrorCondition::Busy: return EBUSY;
    case ErrorCondition::InvalidArgument: return EINVAL;
    case ErrorCondition::TooLarge: return EFBIG;
    case ErrorCondition::OutOfMemory: return ENOMEM;
    case ErrorCondition::NoThreads: return EAGAIN;
    case ErrorCondition::Canceled: return ECANCELED;
    case ErrorCondition::BadData: return EILSEQ;
    case ErrorCondition::NotFolder: return ENOTDIR;
    case ErrorCondition::Loop: return ELOOP;
    case ErrorCondition::Locked: return EWOULDBLOCK;
    case ErrorCondition::AlreadyDone: return EALREADY;
    case ErrorCondition::NoUnnamedFiles: return EOPNOTSUPP;
    case ErrorCondition::NotAFile: return EINVAL;
    case ErrorCondition::NotSupported: return EOPNOTSUPP;
    }
    return EINVAL;
}

bool IsError(int code, ErrorCondition condition) {
    // Linux refuses O_TMPFILE with EISDIR on kernels that predate it, and with
    // EINVAL where the file system lacks it.
    if (condition == ErrorCondition::NoUnnamedFiles) return code == EOPNOTSUPP || code == EISDIR || code == EINVAL;
    // A link refused by O_NOFOLLOW, a folder, or an object that is no
    // regular file, which opening refuses with EINVAL.
    if (condition == ErrorCondition::NotAFile) return code == ELOOP || code == EISDIR || code == EINVAL;
    // Sharing blocks is refused with EXDEV across file systems, EOPNOTSUPP
    // (or ENOTTY, ENOSYS on older kernels) where the file system cannot, and
    // EINVAL for ranges off its block size.
    if (condition == ErrorCondition::NotSupported)
        return code == EOPNOTSUPP || code == EXDEV || code == EINVAL || code == ENOTTY || code == ENOSYS;
    return code == ErrorCode(condition);
}

}  // namespace tarvoss
