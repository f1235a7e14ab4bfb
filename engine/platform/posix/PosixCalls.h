#pragma once
// What the POSIX files of the platform layer share among themselves and show
// to no one above it.

#include <sys/types.h>

#include <vector>

#include "platform/DirectorySearch.h"
#include "platform/NativeHandle.h"

namespace tarvoss {

// The descriptor a handle of this platform holds.
inline int FdOf(NativeHandle handle) { return static_cast<int>(handle); }

// Takes errno as the last error and returns false, so that a failing call can
// end with `return FailWithErrno();`.
bool FailWithErrno();

// Lists the open folder `folder` from its start; the descriptor stays open
// and its position is left alone.
bool ListDirectoryAt(int folder, std::vector<DirectoryEntry>& entries);

// The kind of entry the mode bits of stat(2) describe.
EntryKind KindOfMode(mode_t mode);

}  // namespace tarvoss
