#pragma once
// The failures the engine tells apart, whatever system it runs on. The last
// error is always the system's own code, so that its description is the
// system's text; the engine never names a code itself, it names a condition
// here and the platform gives the code that stands for it.

namespace tarvoss {

enum class ErrorCondition {
    NotFound,         // no file or folder of that name
    Exists,           // the name is taken
    AccessDenied,     // not allowed, or the file is read-only
    Busy,             // the file changed hands while it was held
    InvalidArgument,  // a value the call cannot take (a copy onto its own source)
    TooLarge,         // a file of 4 GiB or more, or beyond the process's size limit
    OutOfMemory,      // memory ran out
    NoThreads,        // no thread could be started
    Canceled,         // the work was abandoned on request
    BadData,          // the bytes do not have the layout they must have
    NotFolder,        // a folder was expected in its place
    Loop,             // a link where a folder was expected, never followed
    Locked,           // another open of the file holds its lock
    AlreadyDone,      // the work was finished the other way already
    NoUnnamedFiles,   // the file system cannot make a file without a name
    NotAFile,         // a link, a folder or another object where a file was expected
    NotSupported,     // the file system (or the pair of them) cannot do what was asked
};

// The system's code that stands for `condition`.
int ErrorCode(ErrorCondition condition);

// Whether the system's `code` is one of the codes of `condition`.
bool IsError(int code, ErrorCondition condition);

}  // namespace tarvoss
