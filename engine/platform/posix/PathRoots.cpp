#include "platform/PathText.h"

namespace tarvoss {

// POSIX has one root, "/"; a leading "//" is taken as "/" too.
std::size_t PathRootLength(std::string_view path) { return !path.empty() && path[0] == '/' ? 1 : 0; }

std::string EnginePathOf(std::string_view typed) { return std::string(typed); }

std::string DisplayPath(std::string_view path) { return std::string(path); }

}  // namespace tarvoss
