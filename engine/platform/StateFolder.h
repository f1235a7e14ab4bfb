#pragma once
// The user's state folder of this program: $XDG_STATE_HOME/tarvoss, or
// ~/.local/state/tarvoss when XDG_STATE_HOME is unset, empty or relative (as
// the XDG base directory rules ask); on Windows %LOCALAPPDATA%\Tarvoss. Journals of in-place runs and, when the
// current folder cannot take it, Errors.log live there.

#include <string>
#include <string_view>

namespace tarvoss {

// The folder's path, without a final "/"; empty when no home folder is known.
std::string StateFolderPath();

// Makes `path` and every missing folder above it, each new one with `mode`;
// an existing folder is used as it is. False (last error set) when a part
// cannot be made or is not a folder.
bool MakeFolderTree(std::string_view path, unsigned mode);

// The state folder joined with `subFolder` ("" for the state folder itself),
// made with mode 0700 where missing. False (last error set) when it cannot
// be made.
bool EnsureStateFolder(std::string_view subFolder, std::string& path);

}  // namespace tarvoss
