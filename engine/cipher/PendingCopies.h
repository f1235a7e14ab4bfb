#pragma once
// New copies of a run wait here, complete but still without a name, until one
// flush of their file system has put a whole group of them on the disk; only
// then does each get its name. So a copy never shows under its name before
// its bytes are on the disk, even across a power cut, and many small copies
// cost one flush per group instead of one per file.
//
// A waiting copy holds its file and its folder open: it is named in the very
// folder it was written in, whatever happens to that folder's path meanwhile
// (a walk reaches its folders through handles that close as it moves on).
// The copies of one folder share its handle.
//
// A full group is flushed and named on a thread of its own while the run goes
// on with the next one; at most one group is in work there, and groups are
// named in the order they came.

#include "platform/FileRecord.h"
#include "platform/FolderHandle.h"

#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <string>
#include <vector>

namespace tarvoss {

// The most copies of one group: 256, and fewer where the process may open
// few files, unless set (0 goes back to that). Tests use small groups to see
// several of them.
void SetCopyGroupFiles(std::size_t files);

class PendingCopies {
public:
    // A copy that could not be named (see NameFinishedCopy), and why.
    struct Failure {
        std::string label;
        int error = 0;
    };

    PendingCopies() = default;
    // Copies still waiting are named; failures then go unreported.
    ~PendingCopies();
    PendingCopies(const PendingCopies&) = delete;
    PendingCopies& operator=(const PendingCopies&) = delete;

    // Takes over `file`, a complete copy of `length` bytes made by
    // CreateUnnamed, to be named `name` in `folder`. `label` names it in a
    // failure.
    void Add(FileRecord file, std::shared_ptr<const FolderHandle> folder, std::string name, std::uint64_t length,
             std::string label);
    // Enough waits that the group should be flushed and named now.
    bool Full() const;
    // Hands the waiting copies to be flushed and named in the background.
    // Returns the copies of the group handed over before that could not be
    // named (waiting for that group first, when it is still in work).
    std::vector<Failure> NameInBackground();
    // Flushes and names every copy, the group in the background first, and
    // returns those that could not be named.
    std::vector<Failure> NameAll();

private:
    struct Waiting {
        FileRecord file;
        std::shared_ptr<const FolderHandle> folder;  // shared by the copies of one folder
        std::string name;
        std::string label;
    };
    using Group = std::vector<Waiting>;
    // Flushes the file systems of `group`, then names each copy in order
    // (NameFinishedCopy).
    static std::vector<Failure> FlushAndName(Group& group);
    std::vector<Failure> Collect();

    Group waiting_;
    std::uint64_t bytes_ = 0;
    std::future<std::vector<Failure>> inWork_;  // the group in the background
};

}  // namespace tarvoss
