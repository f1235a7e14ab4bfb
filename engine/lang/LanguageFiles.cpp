#include "lang/LanguageFiles.h"

#include "common/MessageBoxes.h"
#include "lang/LanguageKeys.h"
#include "lang/LanguageState.h"
#include "lang/ProfileReader.h"
#include "platform/DirectorySearch.h"
#include "platform/FileRecord.h"

namespace tarvoss {
namespace {

bool HasLanguageExtension(std::string_view name) {
    constexpr std::string_view extension = ".lng";
    return name.size() > extension.size() && SameProfileName(name.substr(name.size() - extension.size()), extension);
}

}  // namespace

bool IsBuiltInLanguage(std::string_view storedChoice) {
    return storedChoice.empty() || storedChoice == "Default" || storedChoice == kEnglishLanguage;
}

bool IsLanguageFilePresent(const std::string& path) {
    // Only ever read: an installed file belongs to another user.
    FileRecord file;
    file.access = FileAccess::Read;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    return file.Open(path);  // closed again when `file` goes
}

std::vector<LanguageFileEntry> ListLanguageFiles(const std::string& folder) {
    std::vector<LanguageFileEntry> languages;
    std::vector<DirectoryEntry> entries;
    if (!ListDirectory(folder, entries)) return languages;
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    for (const DirectoryEntry& entry : entries) {
        // A link is offered when it names a present file, as the open decides.
        if (entry.kind != EntryKind::File && entry.kind != EntryKind::Link) continue;
        if (!HasLanguageExtension(entry.name)) continue;
        const std::string path = prefix + entry.name;
        if (!IsLanguageFilePresent(path)) continue;
        std::string displayName = ReadProfileString(path, kGeneralSection, kLanguageNameKey, {});
        if (!displayName.empty()) languages.push_back({entry.name, std::move(displayName)});
    }
    return languages;
}

void DetermineLanguageFile(const std::string& storedChoice, MessageBoxes& boxes) {
    LanguageState state = CurrentLanguageState();
    if (IsBuiltInLanguage(storedChoice)) {
        state.useBuiltInTexts = true;
    } else {
        // The choice names a file inside the folder; one that reaches out of
        // it (a "/" in the name) is no language file of the program.
        const std::string path = std::string(kLanguagesFolder) + storedChoice;
        if (storedChoice.find('/') == std::string::npos && IsLanguageFilePresent(path)) {
            state.useBuiltInTexts = false;
            state.currentLanguageFile = path;
        } else {
            boxes.ShowError(std::string(kMissingLanguageFileText), "Tarvoss");
            state.useBuiltInTexts = true;
        }
    }
    SetLanguageState(state);
}

}  // namespace tarvoss
