#pragma once
// Every section and key of a language file that the program knows, with the
// built-in English text of each. Windows and pages that apply texts take
// their keys from here, and the shipped language files are checked against it.

#include <span>
#include <string_view>

namespace tarvoss {

inline constexpr std::string_view kGeneralSection = "General";
inline constexpr std::string_view kMainFormSection = "MainForm";
inline constexpr std::string_view kFilesSection = "frameFiles";
inline constexpr std::string_view kParamsSection = "frameParams";
inline constexpr std::string_view kGoSection = "frameGo";
inline constexpr std::string_view kKeyGenSection = "frmKeyGen";
inline constexpr std::string_view kSizesSection = "Sizes";

// "General": the language's display name in the Settings dialog.
inline constexpr std::string_view kLanguageNameKey = "Language";
// "General": the language's code ("de", "ru"), which picks the translations of
// the toolkit's own texts (standard buttons, file dialogs).
inline constexpr std::string_view kLocaleKey = "Locale";
// "Sizes": the flat buttons of the pages and the key generator.
inline constexpr std::string_view kButtonWidthKey = "StdButton.Width";
inline constexpr std::string_view kButtonHeightKey = "StdButton.Height";
inline constexpr int kDefaultButtonWidth = 100;
inline constexpr int kDefaultButtonHeight = 24;

struct KnownKey {
    std::string_view key;
    std::string_view englishText;  // the built-in text (sizes: the default)
};

struct KnownSection {
    std::string_view name;
    std::span<const KnownKey> keys;  // in the order the texts are applied
};

// All sections in file order: General, MainForm, frameFiles, frameParams,
// frameGo, frmKeyGen, Sizes.
std::span<const KnownSection> KnownSections();

// The section or key of that name (compared without case), or nullptr.
const KnownSection* FindKnownSection(std::string_view section);
const KnownKey* FindKnownKey(std::string_view section, std::string_view key);

// The built-in English text of a key; empty for a key the program does not know.
std::string_view BuiltInText(std::string_view section, std::string_view key);

}  // namespace tarvoss
