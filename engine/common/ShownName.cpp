#include "common/ShownName.h"

#include <cstdio>

#include "platform/PathText.h"

namespace tarvoss {
namespace {

std::string Escape(const char* format, unsigned code) {
    char text[8];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

}  // namespace

std::string ShownName(std::string_view name) {
    std::string shown;
    shown.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const auto next = [&](std::size_t ahead) {
            return i + ahead < name.size() ? static_cast<unsigned char>(name[i + ahead]) : 0u;
        };
        if (byte == '\n') {
            shown += "\\n";
        } else if (byte == '\r') {
            shown += "\\r";
        } else if (byte == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            shown += Escape("\\x%02X", byte);
        } else if (byte == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) {
            // U+0080 to U+009F in UTF-8: the C1 controls (NEL, CSI, ...).
            shown += Escape("\\u%04X", next(1));
            i += 1;
        } else if (byte == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) {
            // U+2028 and U+2029 break lines in the window's text boxes.
            shown += Escape("\\u%04X", 0x2000u + (next(2) - 0x80u));
            i += 2;
        } else {
            shown += name[i];
        }
    }
    return shown;
}

std::string ShownPath(std::string_view path) { return ShownName(DisplayPath(path)); }

}  // namespace tarvoss
