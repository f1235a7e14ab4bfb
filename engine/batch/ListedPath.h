#pragma once
// What a path given to the list stands for: a file, a folder or a whole disk.
// The window (Add file(s), Add folder, drops, its command line) and
// tarvoss-cli both decide it here, so a path makes the same row in both: the
// row is the normalised path with its kind.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "batch/RunRow.h"

namespace tarvoss {

// The absolute form of `path`, a relative one taken from the current folder
// (and on Windows one rooted on no drive, "\data", on the current folder's
// drive): "." and ".." worked out by name, repeated "/" folded, and no final "/"
// except for a root itself ("/", "C:/", which "C:" gives too), so that
// "data/" and "data" are one folder. An empty
// path stays empty. The bytes of names are kept as they are.
std::string NormalisePath(const std::string& path);

// The device number of the file system a path lies on (links followed);
// false when the path cannot be examined.
using DeviceOf = std::function<bool(const std::string& path, std::uint64_t& device)>;
bool SystemDeviceOf(const std::string& path, std::uint64_t& device);

// A disk root is "/" or a mount point: a folder whose device differs from its
// parent folder's. `path` as NormalisePath gives it.
bool IsDiskRoot(const std::string& path, const DeviceOf& deviceOf = SystemDeviceOf);

// The kind of row the normalised `path` makes; nothing when it does not
// exist. Anything that is not a folder counts as a file (whether it can be
// opened is the caller's check).
std::optional<RowKind> KindOfPath(const std::string& path, const DeviceOf& deviceOf = SystemDeviceOf);

}  // namespace tarvoss
