#pragma once
// Copies are written under a temporary name in their destination folder and
// renamed once complete, so a copy under its own name is always whole. A run
// that dies leaves its temporary file behind; the next run that writes into
// the folder, and "tarvoss-cli recover", remove such leftovers. A temporary
// file is locked (flock) while it is written, so one in work is never taken
// for a leftover.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvoss {

// A fresh temporary name in the folder of `destination`: hidden, so that a
// listing of the folder does not show it while the copy is written.
std::string TemporaryCopyName(const std::string& destination);
// Whether `name` (without a folder) is such a name.
bool IsTemporaryCopyName(std::string_view name);

// Removes the temporary copies in `folder` (ending in "/") that no run holds.
// Returns how many were removed.
std::size_t RemoveTemporaryCopies(const std::string& folder);
// The same, once per folder in the life of the process: leftovers come only
// from processes that died.
void RemoveTemporaryCopiesOnce(const std::string& folder);

}  // namespace tarvoss
