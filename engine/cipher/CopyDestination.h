#pragma once
// The file a copy transform writes: always under a fresh temporary name in
// the destination's folder (see TemporaryCopies.h), given the destination's
// name in one step at the end, so an older destination is kept untouched
// until then and a killed run never leaves a partial copy under its name.
// Whatever this created is removed again when it goes away before the copy
// was committed.

#include "platform/FileRecord.h"

#include <string>

namespace tarvoss {

class CopyDestination {
public:
    explicit CopyDestination(std::string destination);
    ~CopyDestination();
    CopyDestination(const CopyDestination&) = delete;
    CopyDestination& operator=(const CopyDestination&) = delete;

    // Creates the file to write, open for writing. Leftover temporary copies
    // in the folder are removed first (once per folder in the process).
    // `replacing`: a file of the destination's name exists now.
    bool Create(bool replacing);
    FileRecord& File() { return file_; }
    // Closes the file (flushed first when it replaces one) and gives it the destination's name.
    bool Commit();

private:
    void Discard();

    std::string destination_;
    std::string written_;   // the name the copy is written under
    FileRecord file_;
    bool pending_ = false;  // written_ was created and not committed yet
    bool replacing_ = false;
};

} // namespace tarvoss
