#include "platform/ErrorCondition.h"

#include <windows.h>

namespace tarvoss {

int ErrorCode(ErrorCondition condition) {
    switch (condition) {
    case ErrorCondition::NotFound: return ERROR_FILE_NOT_FOUND;
    case ErrorCondition::Exists: return ERROR_ALREADY_EXISTS;
    case ErrorCondition::AccessDenied: return ERROR_ACCESS_DENIED;
    case ErrorCondition::Busy: return ERROR_BUSY;
    case ErrorCondition::InvalidArgument: return ERROR_INVALID_PARAMETER;
    case ErrorCondition::TooLarge: return ERROR_FILE_TOO_LARGE;
    case ErrorCondition::OutOfMemory: return ERROR_NOT_ENOUGH_MEMORY;
    case ErrorCondition::NoThreads: return ERROR_MAX_THRDS_REACHED;
    case ErrorCondition::Canceled: return ERROR_CANCELLED;
    case ErrorCondition::BadData: return ERROR_INVALID_DATA;
    case ErrorCondition::NotFolder: return ERROR_DIRECTORY;
    case ErrorCondition::Loop: return ERROR_CANT_RESOLVE_FILENAME;
    case ErrorCondition::Locked: return ERROR_LOCK_VIOLATION;
    case ErrorCondition::AlreadyDone: return ERROR_ALREADY_INITIALIZED;
    case ErrorCondition::NoUnnamedFiles: return ERROR_NOT_SUPPORTED;
    case ErrorCondition::NotAFile: return ERROR_INVALID_PARAMETER;
    case ErrorCondition::NotSupported: return ERROR_NOT_SUPPORTED;
    }
    return ERROR_INVALID_PARAMETER;
}

bool IsError(int code, ErrorCondition condition) {
    switch (condition) {
    case ErrorCondition::NotFound: return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    case ErrorCondition::Exists: return code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS;
    case ErrorCondition::OutOfMemory: return code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY;
    case ErrorCondition::Canceled: return code == ERROR_CANCELLED || code == ERROR_OPERATION_ABORTED;
    // Another open that shares no writing stands in the way as a lock does.
    case ErrorCondition::Locked: return code == ERROR_LOCK_VIOLATION || code == ERROR_SHARING_VIOLATION;
    // A reparse point refused, a folder, or an object that is no file.
    case ErrorCondition::NotAFile:
        return code == ERROR_INVALID_PARAMETER || code == ERROR_CANT_RESOLVE_FILENAME || code == ERROR_DIRECTORY;
    default: return code == ErrorCode(condition);
    }
}

}  // namespace tarvoss
