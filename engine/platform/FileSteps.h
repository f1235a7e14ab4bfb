#pragma once
// A seam in the file layer: every read, write, flush, cut, reservation, close,
// creation, removal, rename and block sharing of a file, and every flush of a file system, goes past one hook first.
// Normally no hook is set and nothing happens. Tests set one to watch the steps of a run (to rebuild what a power cut
// could leave on disk), to make one step fail with a system error, or to end the process at a chosen step.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/NativeHandle.h"

namespace tarvoss {

enum class FileStep {
    Open,
    Read,
    Write,
    Allocate,
    Truncate,
    Sync,
    Close,
    Remove,
    Rename,  // also giving an unnamed file a name: the handle is set, `target` is the name
    SyncFolder,
    SyncFileSystem,  // everything written to the file system of `handle`
    Clone,           // `length` bytes of `source` at `sourceOffset` shared into `handle` at `offset`
};

struct FileStepEvent {
    FileStep step;
    NativeHandle handle = kNoHandle;      // the open file, or kNoHandle for steps on a path
    std::uint64_t offset = 0;             // Read, Write: where; Allocate, Truncate: the length
    const void* data = nullptr;           // Write: the bytes about to be written
    std::size_t length = 0;               // Read, Write: how many bytes
    const std::string* path = nullptr;    // Open, Remove, Rename (from), SyncFolder
    const std::string* target = nullptr;  // Rename: the new name
    NativeHandle source = kNoHandle;      // Clone: the file whose blocks are shared
    std::uint64_t sourceOffset = 0;       // Clone: where in `source`
};

// Returns 0 to let the step happen, or the system error the step then fails with.
using FileStepHook = std::function<int(const FileStepEvent&)>;

// Sets the hook (an empty function removes it). Not to be changed while files are in use.
void SetFileStepHook(FileStepHook hook);

// Called by the file layer before each step: false with the last error set when
// the hook fails the step.
bool PassFileStep(const FileStepEvent& event);

}  // namespace tarvoss
