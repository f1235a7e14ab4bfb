#pragma once
// A file name or path as log lines and messages show it: control characters
// (line breaks, tabs, escape, the C1 controls) and the Unicode line and
// paragraph separators are written as escapes ("\n", "\t", "\x1B",
// "\u0085", "\u2028"), so that one item always stays on one line and a name
// cannot steer a terminal. Only for showing: file operations use the name
// unchanged.

#include <string>
#include <string_view>

namespace tarvoss {

std::string ShownName(std::string_view name);

// A path as log lines and messages show it: in the system's own form (see
// DisplayPath), escaped as ShownName does. The one way a path the program
// uses becomes text for the user.
std::string ShownPath(std::string_view path);

}  // namespace tarvoss
