#pragma once
// Reads INI files ("[section]" lines followed by "key=value" lines), the format
// of the language files, with the rules their authors know from the classic
// profile reader:
//   - section and key names are compared without regard to (ASCII) case;
//   - the first section of a name counts, and within it the first key;
//   - blanks (spaces, tabs) around names and values are dropped, then one
//     pair of enclosing quotes ("..." or '...') is dropped, so a quoted value
//     keeps the blanks inside its quotes;
//   - a value is cut to its first 254 characters;
//   - the default given to a lookup loses its trailing spaces and is cut the
//     same way.
// Files are UTF-8 (a leading byte-order mark is skipped); a character is a
// code point, so a cut never splits one. Lines may end in LF or CR LF; lines
// starting with ";" are comments. A file that cannot be opened as a regular
// file (missing, a folder, a FIFO) reads as empty.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

// The most characters of a value that a lookup returns.
inline constexpr std::size_t kProfileValueLimit = 254;

// The value of `key` in `section` of the file at `path`, or `defaultText`
// (trailing spaces dropped) when the file, the section or the key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view defaultText);

struct ProfileEntry {
    std::string section;  // as spelled in the file
    std::string key;
    std::string value;  // as a lookup would return it
};

// Every key line of the file in file order, also those a lookup never reaches
// (repeated sections or keys). False when the file cannot be opened.
bool ListProfileEntries(const std::string& path, std::vector<ProfileEntry>& entries);

// True when two section or key names are the same without regard to ASCII case.
bool SameProfileName(std::string_view a, std::string_view b);

// `text` cut to its first `kProfileValueLimit` characters.
std::string CutProfileValue(std::string_view text);

}  // namespace tarvoss
