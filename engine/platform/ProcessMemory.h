#pragma once
// The process's memory while it holds a key: bytes wiped so that no copy is
// left, and a memory no one else can read.

#include <cstddef>

namespace tarvoss {

// Overwrites `size` bytes with zeros in a way the compiler cannot drop as a
// dead store.
void SecureZero(void* data, std::size_t size);

// No core dump, and no other process of the same user may attach to this one
// or read its memory. Lasts until exit.
void KeepProcessMemoryPrivate();

}  // namespace tarvoss
