#include "platform/SystemRandom.h"

#include <sys/random.h>

#include <cerrno>

#include "platform/posix/PosixCalls.h"

namespace tarvoss {

bool ReadSystemRandom(std::span<unsigned char> bytes) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (got < 0) {
            // A signal may arrive while the kernel's pool is still filling.
            if (errno == EINTR) continue;
            return FailWithErrno();
        }
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace tarvoss
