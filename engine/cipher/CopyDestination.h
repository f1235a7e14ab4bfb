#pragma once
// The file a copy transform writes, never under the destination's name until
// it is complete and on the disk. A new copy is written without any name
// (O_TMPFILE) and named at the end; one that replaces a file, or where the
// file system has no unnamed files, is written under a fresh temporary name in
// the destination's folder (see TemporaryCopies.h) and renamed over it in one
// step. So an older destination is kept untouched until then, and neither a
// killed run nor a power cut leaves a partial copy under its name.
// Whatever this created is removed again when it goes away before the copy
// was committed.

#include "cipher/FileTransforms.h"
#include "platform/FileRecord.h"
#include "platform/FolderHandle.h"

#include <cstdint>
#include <string>

namespace tarvoss {

// Gives `file`, a complete copy made by CreateUnnamed and already on the
// disk, the name `name` in `folder`, and closes it. A name taken meanwhile is
// replaced in one step, through a locked temporary name, as a copy replaces
// an older file. On failure nothing new is left under either name, except a
// copy that has replaced a file and then fails to close: it stays, whole.
bool NameFinishedCopy(FileRecord& file, const FolderHandle& folder, const std::string& name);

class CopyDestination {
public:
    explicit CopyDestination(std::string destination);
    ~CopyDestination();
    CopyDestination(const CopyDestination&) = delete;
    CopyDestination& operator=(const CopyDestination&) = delete;

    // Creates the file to write, open for writing, with room for `length`
    // bytes reserved where that is cheap (AllocateIfCheap). Leftover
    // temporary copies in the folder are removed first (once per folder in
    // the process). `replacing`: a file of the destination's name exists now.
    bool Create(bool replacing, std::uint64_t length);
    FileRecord& File() { return file_; }
    // Flushes and closes the file and gives it the destination's name. With
    // `deferred`, a new copy is handed to its group instead, which flushes
    // and names it later together with others.
    bool Commit(const DeferredName* deferred = nullptr);

private:
    bool CreateNamed();
    bool Defer(const DeferredName& deferred);
    void Discard();

    std::string destination_;
    std::string folder_;   // of the destination, ending in "/"
    std::string name_;     // of the destination, without its folder
    std::string written_;  // the name the copy is written under
    FileRecord file_;
    std::uint64_t length_ = 0;
    bool pending_ = false;  // written_ was created and not committed yet
    bool unnamed_ = false;  // the file has no name yet
};

}  // namespace tarvoss
