#pragma once
// The language files in the folder "Languages" of the program's data folder
// (common/ProgramFolder.h): which
// of them are offered, and the choice of the file in use from the stored setting.

#include <string>
#include <string_view>
#include <vector>

namespace tarvoss {

class MessageBoxes;

// Relative to the program's folder, which is the current directory whenever
// a language file is chosen or listed.
inline constexpr std::string_view kLanguagesFolder = "Languages/";

// The stored choice and the dialog entry for the built-in texts.
inline constexpr std::string_view kEnglishLanguage = "English";

inline constexpr std::string_view kMissingLanguageFileText =
    "Your current language file does not exist. Please, reinstall the application to resolve the "
    "problem.\r\nThe default language (English) will be loaded.";

// "Default", "English" and an empty choice all mean the built-in texts; the
// comparison is case-sensitive, so "english" names a file.
bool IsBuiltInLanguage(std::string_view storedChoice);

// A language file counts as present when it opens as an existing regular
// file for reading; whether the user may write it does not matter.
bool IsLanguageFilePresent(const std::string& path);

struct LanguageFileEntry {
    std::string fileName;     // as listed in the folder, e.g. "German.lng"
    std::string displayName;  // "Language" of section "General"
};

// The files "*.lng" (extension in any case) of `folder` that are present and
// carry a display name, in name order. A missing folder lists nothing.
std::vector<LanguageFileEntry> ListLanguageFiles(const std::string& folder);

// Sets the process-wide language state from the stored choice: the built-in
// texts for a built-in name (the file in use keeps its value), otherwise the
// file "Languages/" + choice when it is present. A missing file is reported
// through `boxes` and the built-in texts are used.
void DetermineLanguageFile(const std::string& storedChoice, MessageBoxes& boxes);

}  // namespace tarvoss
