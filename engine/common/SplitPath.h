#pragma once
// Splitting a full path into its folder and its name, as the file list and the
// settings loader need them.

#include <string>
#include <string_view>

namespace tarvoss {

// The name given to a path that ends in "/" (the root "/" or a mount point):
// such a path names a whole disk, and its row shows this instead of a name.
inline constexpr std::string_view kDiskRootName = "[ Disk root ]";

// Splits `path` at its last "/": `folder` receives everything up to and
// including that "/", `name` everything after it, or kDiskRootName when
// nothing follows. Returns false, and changes neither output, when the path
// holds no "/".
bool SplitPath(std::string_view path, std::string& folder, std::string& name);

}  // namespace tarvoss
