// Paths between the engine and the system. The engine keeps WTF-8: UTF-8,
// with an unpaired surrogate written as the three bytes UTF-8 would give it,
// so that a name Windows allows in UTF-16 comes back exactly.

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/PathText.h"
#include "platform/windows/WindowsCalls.h"

namespace tarvoss {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void AppendUtf8(std::string& text, std::uint32_t point) {
    if (point < 0x80) {
        text += static_cast<char>(point);
    } else if (point < 0x800) {
        text += static_cast<char>(0xC0 | (point >> 6));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        text += static_cast<char>(0xE0 | (point >> 12));
        text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (point >> 18));
        text += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (point & 0x3F));
    }
}

// The code point of the sequence at `at`, or U+FFFD for a byte that starts
// none (text that did not come from the system); `at` moves past it.
std::uint32_t NextPoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t point = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
    }
    if (length == 0 || at + length > text.size()) {
        ++at;
        return 0xFFFD;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        point = (point << 6) | (next & 0x3F);
    }
    at += length;
    return point;
}

// The current folder in the engine's form.
std::string CurrentFolder() { return GetCurrentDirectory(); }

}  // namespace

std::size_t PathRootLength(std::string_view path) {
    if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':') return path.size() > 2 && path[2] == '/' ? 3 : 2;
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') {
        // "//server/share/": the server and the share make the root.
        std::size_t end = path.find('/', 2);
        if (end != std::string_view::npos) end = path.find('/', end + 1);
        return end == std::string_view::npos ? path.size() : end + 1;
    }
    return !path.empty() && path[0] == '/' ? 1 : 0;
}

std::string EnginePathOf(std::string_view typed) {
    std::string path(typed);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string DisplayPath(std::string_view path) { return BackslashedPath(path); }

std::wstring WideOf(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::uint32_t point = NextPoint(text, at);
        if (point >= 0x10000) {
            wide += static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(point);
        }
    }
    return wide;
}

std::string NarrowOf(std::wstring_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::uint32_t unit = static_cast<std::uint16_t>(text[at]);
        if (unit >= 0xD800 && unit < 0xDC00 && at + 1 < text.size()) {
            const std::uint32_t low = static_cast<std::uint16_t>(text[at + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(narrow, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++at;
                continue;
            }
        }
        AppendUtf8(narrow, unit);  // an unpaired surrogate too, as WTF-8 keeps it
    }
    return narrow;
}

std::wstring SystemPathOf(const std::string& path) {
    std::string full = EnginePathOf(path);
    if (PathRootLength(full) == 0) {
        full = CurrentFolder() + "/" + full;
    } else if (full.size() >= 2 && full[1] == ':' && (full.size() == 2 || full[2] != '/')) {
        full.insert(2, "/");  // "C:" and "C:name" mean the drive's root here
    } else if (full[0] == '/' && (full.size() == 1 || full[1] != '/')) {
        full = CurrentFolder().substr(0, 2) + full;  // "/name": on the current drive
    }
    // "." and ".." by name here, since "\\?\" takes every name literally.
    full = LexicallyNormal(full);
    if (IsRootPath(full) && full.back() != '/') full += '/';
    std::wstring wide = WideOf(full);
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    if (wide.size() >= 2 && wide[0] == L'\\' && wide[1] == L'\\') return L"\\\\?\\UNC\\" + wide.substr(2);
    return L"\\\\?\\" + wide;
}

std::string EnginePathOfSystem(std::wstring_view path) {
    std::wstring plain(path);
    if (plain.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        plain = L"\\\\" + plain.substr(8);
    } else if (plain.rfind(L"\\\\?\\", 0) == 0) {
        plain = plain.substr(4);
    }
    return EnginePathOf(NarrowOf(plain));
}

}  // namespace tarvoss
