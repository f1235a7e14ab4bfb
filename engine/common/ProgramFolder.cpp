#include "common/ProgramFolder.h"

#include <string>

#include "common/SplitPath.h"
#include "platform/FileSystem.h"

namespace tarvoss {

bool SetProgramFolderCurrent(std::string_view programPath) {
    std::string folder;
    std::string name;
    if (!SplitPath(programPath, folder, name)) return false;
    return SetCurrentDirectory(folder);
}

}  // namespace tarvoss
