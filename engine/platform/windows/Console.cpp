#include "platform/Console.h"

#include <string>

#include "platform/ProcessMemory.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

// The UTF-8 bytes of the one character read last from a console, handed out
// one at a time; wiped as soon as they are handed out.
struct PendingBytes {
    char bytes[4] = {};
    std::size_t count = 0;
    std::size_t next = 0;
};
PendingBytes pending;
wchar_t highSurrogate = 0;

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != 0;
}

// Reads one character of a console line without showing it: what is typed
// here is a key. The console's mode is put back once the line has ended.
bool ReadConsoleCharacter(HANDLE input) {
    DWORD mode = 0;
    ::GetConsoleMode(input, &mode);
    ::SetConsoleMode(input, (mode | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT) & ~ENABLE_ECHO_INPUT);
    for (;;) {
        wchar_t unit = 0;
        DWORD got = 0;
        if (!::ReadConsoleW(input, &unit, 1, &got, nullptr) || got == 0) {
            ::SetConsoleMode(input, mode);
            return false;
        }
        if (unit == L'\r') continue;  // the line ends in CR LF: LF ends it here
        if (unit == L'\n') {
            ::SetConsoleMode(input, mode);
            ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), "\r\n", 2, &got, nullptr);
        }
        if (unit >= 0xD800 && unit < 0xDC00) {
            highSurrogate = unit;
            continue;
        }
        std::wstring character;
        if (highSurrogate != 0 && unit >= 0xDC00 && unit < 0xE000) character += highSurrogate;
        character += unit;
        highSurrogate = 0;
        std::string bytes = NarrowOf(character);
        SecureZero(character.data(), character.size() * sizeof(wchar_t));
        pending.count = bytes.size();
        pending.next = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) pending.bytes[i] = bytes[i];
        SecureZero(bytes.data(), bytes.size());
        SecureZero(&unit, sizeof unit);
        return true;
    }
}

}  // namespace

bool ErrorStreamIsConsole() { return IsConsole(::GetStdHandle(STD_ERROR_HANDLE)); }

std::optional<std::size_t> ErrorConsoleColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) return std::nullopt;
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns <= 0) return std::nullopt;
    return static_cast<std::size_t>(columns);
}

void WriteConsoleTextAsUtf8() { ::SetConsoleOutputCP(CP_UTF8); }

bool ReadInputByte(char& byte) {
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    if (pending.next == pending.count && IsConsole(input) && !ReadConsoleCharacter(input)) return false;
    if (pending.next < pending.count) {
        byte = pending.bytes[pending.next];
        pending.bytes[pending.next++] = 0;
        return true;
    }
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(input, &byte, 1, &got, nullptr) || got != 1) return false;
        // Lines written by Windows programs end in CR LF: the LF ends them.
        if (byte != '\r') return true;
    }
}

}  // namespace tarvoss
