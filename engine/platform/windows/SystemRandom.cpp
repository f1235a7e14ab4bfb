#include "platform/SystemRandom.h"

#include <windows.h>
// windows.h first: bcrypt.h needs its types.
#include <bcrypt.h>
#include <winternl.h>

#include "platform/LastError.h"

namespace tarvoss {

bool ReadSystemRandom(std::span<unsigned char> bytes) {
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t left = bytes.size() - filled;
        const ULONG piece = static_cast<ULONG>(left < 0x10000000u ? left : 0x10000000u);
        const NTSTATUS status =
            ::BCryptGenRandom(nullptr, bytes.data() + filled, piece, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
        if (status < 0) return FailWith(static_cast<int>(::RtlNtStatusToDosError(status)));
        filled += piece;
    }
    return true;
}

}  // namespace tarvoss
