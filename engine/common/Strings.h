#pragma once
// The program's strings are std::string holding UTF-8. These are the few
// helpers the standard library lacks.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvoss {

// Removes leading / trailing spaces (code 32 only; tabs stay).
std::string TrimLeftSpaces(std::string_view text);
std::string TrimRightSpaces(std::string_view text);

// `text` followed by the decimal form of `value` ("-5", "0", "42").
std::string AppendNumber(std::string_view text, std::int64_t value);

// The system's description of the thread's last error (ending in CR LF), or
// `fallback` when the last error is 0.
std::string LastErrorText(std::string_view fallback);

}  // namespace tarvoss
