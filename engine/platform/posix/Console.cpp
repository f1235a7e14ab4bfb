#include "platform/Console.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

namespace tarvoss {

bool ErrorStreamIsConsole() { return ::isatty(STDERR_FILENO) == 1; }

std::optional<std::size_t> ErrorConsoleColumns() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return std::nullopt;
}

// A terminal here takes the bytes as the locale says, which is UTF-8 nearly
// everywhere; nothing is changed.
void WriteConsoleTextAsUtf8() {}

bool ReadInputByte(char& byte) {
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        return got == 1;
    }
}

}  // namespace tarvoss
