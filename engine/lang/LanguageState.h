#pragma once
// The process-wide language state: which language file is in use and whether
// the built-in English texts are shown instead, and the one lookup of a text.

#include <string>
#include <string_view>

namespace tarvoss {

struct LanguageState {
    // Relative path "Languages/" + file name of the language file in use;
    // empty until a file has been chosen since the program started. It keeps
    // its value when the built-in texts are chosen later, so the button sizes
    // still come from the file chosen last.
    std::string currentLanguageFile;
    // True when the built-in English texts are in use; then no text is looked up.
    bool useBuiltInTexts = false;
};

// A copy of the current state, and its replacement. Safe from any thread.
LanguageState CurrentLanguageState();
void SetLanguageState(const LanguageState& state);

// The text of `key` in `section` of the current language file, or
// `defaultText` (trailing spaces dropped) when the file, the section or the
// key is missing. The path is relative: it is found only while the program's
// folder is the current directory.
std::string LookupText(std::string_view section, std::string_view key, std::string_view defaultText);

// A size in pixels from the section "Sizes" of the current language file,
// read whatever `useBuiltInTexts` says. A value that is not a whole number
// from 1 to kMaxLookupSize falls back to `defaultSize`.
inline constexpr int kMaxLookupSize = 1000;
int LookupSize(std::string_view key, int defaultSize);

}  // namespace tarvoss
