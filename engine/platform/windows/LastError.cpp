#include "platform/LastError.h"

#include <cstdio>

#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {
thread_local int lastError = 0;
thread_local bool lastErrorIsRead = false;

// The system's text for `code`, without inserts; empty where it has none.
std::string SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) return {};
    std::string narrow = NarrowOf(std::wstring_view(text, length));
    ::LocalFree(text);
    return narrow;
}

}  // namespace

int GetLastError() { return lastError; }

void SetLastError(int code) {
    lastError = code;
    lastErrorIsRead = false;
}

bool FailWithSystemError() { return FailWith(static_cast<int>(::GetLastError())); }

bool FailWith(int code) {
    SetLastError(code);
    return false;
}

bool LastErrorIsRead() { return lastErrorIsRead; }

bool FailReading(int code) {
    lastError = code;
    lastErrorIsRead = true;
    return false;
}

KeepLastError::KeepLastError() : code_(lastError), isRead_(lastErrorIsRead) {}

KeepLastError::~KeepLastError() {
    lastError = code_;
    lastErrorIsRead = isRead_;
}

std::string DescribeError(int code) {
    std::string text = SystemText(static_cast<DWORD>(code));
    if (text.empty()) {
        // No text for this code: the code itself, as the system writes codes.
        char number[16];
        std::snprintf(number, sizeof number, "0x%08X", static_cast<unsigned>(code));
        text = number;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text + "\r\n";
}

}  // namespace tarvoss
