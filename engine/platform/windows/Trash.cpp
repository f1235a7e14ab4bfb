// The Recycle Bin. A file goes there through the shell's delete with undo;
// the shell deletes a file for good where its drive has no Recycle Bin, so
// the drive's bin is asked for first and, where it has none, nothing is
// done and the file stays where it is.

#include "platform/Trash.h"

#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "platform/FolderHandle.h"
#include "platform/LastError.h"
#include "platform/PathText.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

// The shell takes neither "\\?\" nor paths beyond MAX_PATH.
bool ShellPathOf(const std::string& enginePath, std::wstring& shellPath) {
    shellPath = SystemPathOf(enginePath);
    if (shellPath.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        shellPath = L"\\\\" + shellPath.substr(8);
    } else if (shellPath.rfind(L"\\\\?\\", 0) == 0) {
        shellPath = shellPath.substr(4);
    }
    return shellPath.size() < MAX_PATH;
}

// Whether the drive that holds `path` keeps a Recycle Bin.
bool DriveHasRecycleBin(const std::wstring& path) {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    return SUCCEEDED(::SHQueryRecycleBinW(path.c_str(), &info));
}

}  // namespace

TrashOutcome MoveToTrash(const FolderHandle& folder, const std::string& name, const std::string& path) {
    // The file is reached through the open folder, which cannot be renamed
    // while it is open; `path` is what the bin records either way.
    const std::string pinned = folder.IsOpen() ? folder.PinnedPath() + name : path;
    std::wstring shellPath;
    if (!ShellPathOf(pinned, shellPath) || !DriveHasRecycleBin(shellPath)) return TrashOutcome::NoTrash;
    const DWORD before = ::GetFileAttributesW(shellPath.c_str());
    if (before == INVALID_FILE_ATTRIBUTES) {
        FailWithSystemError();
        return TrashOutcome::Failed;
    }
    std::wstring from = shellPath;
    from.push_back(L'\0');  // the list of paths ends in a second NUL
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    // FOF_WANTNUKEWARNING: should the shell still find no bin, it asks
    // before deleting for good instead of doing so silently.
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
    const int result = ::SHFileOperationW(&operation);
    if (result != 0 || operation.fAnyOperationsAborted) {
        // The shell's own codes are no system errors; the file is where it was.
        FailWith(result != 0 && result < 0x71 ? result : static_cast<int>(ERROR_CANCELLED));
        return ::GetFileAttributesW(shellPath.c_str()) == INVALID_FILE_ATTRIBUTES ? TrashOutcome::Trashed
                                                                                  : TrashOutcome::Failed;
    }
    if (::GetFileAttributesW(shellPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        FailWith(ErrorCondition::AccessDenied);
        return TrashOutcome::Failed;
    }
    return TrashOutcome::Trashed;
}

}  // namespace tarvoss
