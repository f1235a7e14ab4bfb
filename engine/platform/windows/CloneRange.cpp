#include "platform/CloneRange.h"

#include "platform/LastError.h"

namespace tarvoss {

// Only ReFS volumes can share blocks on Windows (FSCTL_DUPLICATE_EXTENTS_TO_FILE);
// until that is written and tested, every window is written as bytes, which
// the in-place run does anyway wherever sharing is refused.
bool CloneFileRange(FileRecord&, std::uint64_t, FileRecord&, std::uint64_t, std::uint64_t) {
    return FailWith(ErrorCondition::NotSupported);
}

}  // namespace tarvoss
