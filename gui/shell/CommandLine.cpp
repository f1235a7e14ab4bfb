#include "shell/CommandLine.h"

#include <algorithm>

#include "common/Strings.h"

namespace tarvoss {

std::string JoinCommandLine(std::string_view programPath,
                            const std::vector<std::string>& arguments) {
    std::string line(programPath);
    for (const std::string& argument : arguments) {
        line += ' ';
        line += argument;
    }
    return line;
}

std::optional<std::string> PathFromCommandLine(std::string_view commandLine,
                                               std::string_view programPath) {
    std::string text = TrimSpaces(RemoveChar(commandLine, '"'));
    if (text == programPath) return std::nullopt;
    text.erase(0, std::min(text.size(), programPath.size() + 1));
    return TrimSpaces(text);
}

}  // namespace tarvoss
