#include "platform/ProcessLimits.h"

#include <sys/resource.h>

#include <csignal>

namespace tarvoss {

// SIGXFSZ ignored: the write fails with EFBIG instead.
void FailWritesBeyondSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

std::optional<std::size_t> OpenFileLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
    return static_cast<std::size_t>(limit.rlim_cur);
}

}  // namespace tarvoss
