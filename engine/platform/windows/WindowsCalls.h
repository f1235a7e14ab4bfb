#pragma once
// What the Windows files of the platform layer share among themselves and
// show to no one above it: the turn from the engine's paths (WTF-8 with "/")
// to the system's (UTF-16 with "\", "\\?\" before a full path so that no
// length limit applies) and back, and the identity of an open object.

#include <windows.h>

// The system's headers name their wide calls by macros that would rename the
// engine's own functions of the same names.
#undef CreateDirectory
#undef DeleteFile
#undef GetCurrentDirectory
#undef GetFileAttributes
#undef RemoveDirectory
#undef SetCurrentDirectory

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/DirectorySearch.h"
#include "platform/NativeHandle.h"

namespace tarvoss {

// The HANDLE a NativeHandle of this platform holds.
inline HANDLE HandleOf(NativeHandle handle) { return reinterpret_cast<HANDLE>(handle); }
inline NativeHandle NativeOf(HANDLE handle) { return reinterpret_cast<NativeHandle>(handle); }

// UTF-16 from WTF-8 and back: every sequence of 16-bit units, unpaired
// surrogates included, goes through both unchanged.
std::wstring WideOf(std::string_view text);
std::string NarrowOf(std::wstring_view text);

// The system's full path for an engine path: relative ones taken from the
// current folder, "/" turned into "\", "\\?\" in front. A bare drive "C:"
// means its root, never the drive's current folder.
std::wstring SystemPathOf(const std::string& path);
// The engine's path for one the system gave: "\\?\" dropped, "\" turned into "/".
std::string EnginePathOfSystem(std::wstring_view path);

// Takes ::GetLastError() as the last error and returns false.
bool FailWithSystemError();

// Where an open file or folder lies: its volume serial number and its index
// there, which together name it whatever its path; and its attributes.
struct ObjectIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    DWORD attributes = 0;
};
bool IdentityOfHandle(HANDLE handle, ObjectIdentity& identity);

// The kind of entry the attributes describe: a reparse point (symbolic link,
// junction, mount point) is a link, whatever it points to.
EntryKind KindOfAttributes(DWORD attributes);

// Opens `path` to look at it, without following a reparse point and without
// standing in anyone's way; INVALID_HANDLE_VALUE with the last error set.
HANDLE OpenForLooking(const std::wstring& path);

// The current full path of an open object, in the engine's form.
bool CurrentPathOf(HANDLE handle, std::string& path);

// Removes the file (or reparse point) at `path` as unlink(2) would: a
// read-only file too, whose attribute alone stops DeleteFileW.
bool DeleteEntry(const std::wstring& path);

// Lists the folder at the system path `folder` (see ListDirectory).
bool ListFolder(const std::wstring& folder, std::vector<DirectoryEntry>& entries);

}  // namespace tarvoss
