#include "lang/ProfileReader.h"

#include <array>
#include <functional>

#include "platform/FileRecord.h"

namespace tarvoss {
namespace {

// Longer lines are kept only this far: no name or value of a language file
// comes near it, and a stray huge file cannot make a line grow without end.
constexpr std::size_t kLineKeep = 4096;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view DropQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// One meaningful line of the file: a section header or a key line.
struct ProfileLine {
    bool isSection = false;
    std::string_view section;  // the header's name
    std::string_view key;
    std::string_view value;  // blanks and quotes already dropped, not cut
};

bool ParseLine(std::string_view line, ProfileLine& parsed) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = TrimBlanks(line);
    if (line.empty() || line.front() == ';') return false;
    if (line.front() == '[') {
        const std::size_t close = line.find(']');
        parsed.isSection = true;
        parsed.section =
            TrimBlanks(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return true;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    parsed.isSection = false;
    parsed.key = TrimBlanks(line.substr(0, equals));
    parsed.value = DropQuotes(TrimBlanks(line.substr(equals + 1)));
    return !parsed.key.empty();
}

// Hands every meaningful line of the file to `visit`, in order, until `visit`
// returns false. False when the file cannot be opened.
bool ScanProfile(const std::string& path, const std::function<bool(const ProfileLine&)>& visit) {
    FileRecord file;
    file.access = FileAccess::Read;
    file.openDisposition = Disposition::OpenExisting;
    file.showErrors = false;
    if (!file.Open(path)) return false;

    std::array<char, 16384> chunk{};
    std::string line;
    bool lineCut = false;
    bool firstLine = true;
    auto finishLine = [&]() {
        std::string_view text = line;
        if (firstLine && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
        firstLine = false;
        ProfileLine parsed;
        const bool goOn = !ParseLine(text, parsed) || visit(parsed);
        line.clear();
        lineCut = false;
        return goOn;
    };
    for (;;) {
        std::size_t got = 0;
        // A read error ends the file where it happened, as its end would.
        if (!file.Read(chunk.data(), chunk.size(), got) || got == 0) break;
        for (std::size_t i = 0; i < got; ++i) {
            const char c = chunk[i];
            if (c == '\n') {
                if (!finishLine()) return true;
            } else if (line.size() < kLineKeep) {
                line.push_back(c);
            } else {
                lineCut = true;
            }
        }
    }
    if (!line.empty() || lineCut) finishLine();
    return true;
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    }
    return true;
}

std::string CutProfileValue(std::string_view text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && ++characters > kProfileValueLimit) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view defaultText) {
    std::string result;
    bool found = false;
    bool inSection = false;
    ScanProfile(path, [&](const ProfileLine& line) {
        if (line.isSection) {
            // Only the first section of the name counts: leaving it ends the search.
            if (inSection) return false;
            inSection = SameProfileName(line.section, section);
            return true;
        }
        if (inSection && SameProfileName(line.key, key)) {
            result = CutProfileValue(line.value);
            found = true;
            return false;
        }
        return true;
    });
    if (found) return result;
    while (!defaultText.empty() && defaultText.back() == ' ') defaultText.remove_suffix(1);
    return CutProfileValue(defaultText);
}

bool ListProfileEntries(const std::string& path, std::vector<ProfileEntry>& entries) {
    entries.clear();
    std::string section;
    return ScanProfile(path, [&](const ProfileLine& line) {
        if (line.isSection) {
            section = line.section;
        } else {
            entries.push_back({section, std::string(line.key), CutProfileValue(line.value)});
        }
        return true;
    });
}

}  // namespace tarvoss
