#pragma once
// The limits the system sets on this process, as the transforms meet them.

#include <cstddef>
#include <optional>

namespace tarvoss {

// Makes a write beyond the process's file size limit fail like a full disk,
// instead of ending the process in the middle of a file. Called at start,
// before any thread exists.
void FailWritesBeyondSizeLimit();

// How many files the process may hold open at once; empty when there is no
// limit or it cannot be read.
std::optional<std::size_t> OpenFileLimit();

}  // namespace tarvoss
