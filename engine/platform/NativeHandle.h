#pragma once
// An open file or folder as the system names it: a descriptor on POSIX, a
// HANDLE on Windows. Both fit one pointer-sized integer, and both systems
// mark "none" with -1.

#include <cstdint>

namespace tarvoss {

using NativeHandle = std::intptr_t;
inline constexpr NativeHandle kNoHandle = -1;

}  // namespace tarvoss
