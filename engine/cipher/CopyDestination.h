#pragma once
// The file a copy transform writes. It is created under a fresh temporary name
// in the destination's folder and takes the destination's name, replacing
// what was there, only once it is complete; until then the destination is
// untouched. A temporary that is not committed is removed when this goes away.

#include "platform/FileRecord.h"

#include <string>

namespace tarvoss {

class CopyDestination {
public:
    explicit CopyDestination(std::string destination);
    ~CopyDestination();
    CopyDestination(const CopyDestination&) = delete;
    CopyDestination& operator=(const CopyDestination&) = delete;

    // Creates the temporary file, open for writing.
    bool Create();
    FileRecord& File() { return file_; }
    // Closes the temporary and renames it to the destination.
    bool Commit();

private:
    void Discard();

    std::string destination_;
    std::string temporary_;
    FileRecord file_;
    bool pending_ = false;  // a temporary exists under temporary_
};

} // namespace tarvoss
