#include "platform/ProgramArguments.h"

#include "platform/ProcessMemory.h"
#include "platform/windows/WindowsCalls.h"
// After windows.h, whose types it needs.
#include <shellapi.h>

namespace tarvoss {

// main's argv holds the arguments in the ANSI code page, which has no room
// for most names: the UTF-16 command line is split again instead.
std::vector<std::string> ProgramArguments(int, char**) {
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (split == nullptr) return arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(NarrowOf(split[i]));
        SecureZero(split[i], std::wcslen(split[i]) * sizeof(wchar_t));
    }
    ::LocalFree(split);
    return arguments;
}

void WipeFromCommandLine(std::string_view text) {
    if (text.empty()) return;
    const std::wstring wide = WideOf(text);
    wchar_t* line = ::GetCommandLineW();
    for (wchar_t* at = std::wcsstr(line, wide.c_str()); at != nullptr; at = std::wcsstr(at + wide.size(), wide.c_str()))
        for (std::size_t i = 0; i < wide.size(); ++i) at[i] = L'*';
}

}  // namespace tarvoss
