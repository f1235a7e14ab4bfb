#pragma once
// Paths as the engine handles them, on every system: UTF-8 text (WTF-8 on
// Windows, so that any name the system allows survives) with "/" between
// folders; a folder path handed around ends in "/". Only the platform layer
// turns them into the system's own form. Everything here is string work: no
// file is looked at.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvoss {

// How many leading characters of `path` make its root: "/" on POSIX; "C:/",
// "//server/share/" or "/" on Windows; 0 for a relative path.
std::size_t PathRootLength(std::string_view path);

// Whether `path` is a root and nothing more ("/", "C:/").
bool IsRootPath(std::string_view path);

// A path as the user typed it, in the engine's form: on Windows "\" becomes
// "/"; elsewhere the path is kept as it is.
std::string EnginePathOf(std::string_view typed);

// `path` with "." and ".." worked out by name and repeated "/" folded; no
// final "/" except for a root itself. Nothing is resolved against the current
// folder: a relative path stays relative.
std::string LexicallyNormal(std::string_view path);

// The folder part of `path`, ending in "/" ("" for a bare name): the one rule
// for "the folder a file lies in".
std::string FolderOfPath(std::string_view path);

// The same folder without its final "/", except for a root itself, as a
// folder is opened, examined or climbed: "/a/b" gives "/a", "/a" and "/" give
// "/", "C:/a" gives "C:/" ("" for a bare name).
std::string ParentFolder(std::string_view path);

// `path` as a user of this system reads it, for showing only: unchanged on
// POSIX; on Windows with "\" between folders ("C:/data/a.txt" shows as
// "C:\data\a.txt", "//server/share/" as "\\server\share\"). Applied once,
// where a path becomes text for the user, never to paths the program uses.
std::string DisplayPath(std::string_view path);

// Windows' rule for DisplayPath, here so that it can be checked anywhere.
std::string BackslashedPath(std::string_view path);

}  // namespace tarvoss
