#pragma once
// The file a copy transform writes. A destination that does not exist yet is
// created under its own name, exclusively, so nothing else can be in the way.
// One that exists is kept untouched until the copy is complete: the copy is
// written under a fresh temporary name in the same folder and replaces it in
// one step at the end. Whatever this created is removed again when it goes
// away before the copy was committed.

#include "platform/FileRecord.h"

#include <string>

namespace tarvoss {

class CopyDestination {
public:
    explicit CopyDestination(std::string destination);
    ~CopyDestination();
    CopyDestination(const CopyDestination&) = delete;
    CopyDestination& operator=(const CopyDestination&) = delete;

    // Creates the file to write, open for writing; `destinationExists` tells
    // whether a file of the destination's name is there now.
    bool Create(bool destinationExists);
    FileRecord& File() { return file_; }
    // Closes the file and gives it the destination's name.
    bool Commit();

private:
    bool CreateTemporary();
    void Discard();

    std::string destination_;
    std::string written_;   // the name the copy is written under
    FileRecord file_;
    bool pending_ = false;  // written_ was created and not committed yet
};

} // namespace tarvoss
