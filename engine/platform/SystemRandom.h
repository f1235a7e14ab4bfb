#pragma once
// The system's source of random bytes, fit for keys.

#include <span>

namespace tarvoss {

// Fills `bytes` from the system's source; false (last error set) when it fails.
bool ReadSystemRandom(std::span<unsigned char> bytes);

}  // namespace tarvoss
