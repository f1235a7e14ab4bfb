#include "common/ProgramFolder.h"

#include <string>

#include "InstallLayout.h"
#include "platform/FileAttributes.h"
#include "platform/FileSystem.h"
#include "platform/PathText.h"

namespace tarvoss {
namespace {

std::string WithoutDotSteps(const std::string& folder) {
    std::string normal = LexicallyNormal(folder);
    if (normal.empty() && !folder.empty()) normal = ".";  // "a/.." is the current folder
    if (normal.empty() || normal.back() != '/') normal += '/';
    return normal;
}

}  // namespace

std::string FindProgramFiles(std::string_view programFolder, const std::vector<std::string_view>& candidates,
                             std::string_view entry) {
    std::string base(programFolder);
    if (base.empty() || base.back() != '/') base += '/';
    for (const std::string_view candidate : candidates) {
        const std::string folder = base + std::string(candidate);
        if (PathExists(folder + std::string(entry))) return WithoutDotSteps(folder);
    }
    return WithoutDotSteps(base);
}

std::string ProgramDataFolder() { return FindProgramFiles(ProgramFolder(), {"", kInstalledDataFolder}, "Languages"); }

std::string ProgramLibraryFolder() {
    return FindProgramFiles(ProgramFolder(), {"", kInstalledLibraryFolder}, kHelpModuleFile);
}

bool IsProgramInstalled() { return ProgramDataFolder() != WithoutDotSteps(ProgramFolder()); }

bool SetProgramDataFolderCurrent() { return SetCurrentDirectory(ProgramDataFolder()); }

}  // namespace tarvoss
