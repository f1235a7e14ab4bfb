#pragma once
// Changes to the run log gathered over a short moment, so that the window
// applies a burst of log lines in one go: first the log is emptied (when
// `clear` is set), then `appendToLast` goes to the end of its last line, then
// `lines` are added. Only the last kLogLines lines are kept, as the log keeps
// no more.

#include <cstddef>
#include <deque>
#include <string>

namespace tarvoss {

inline constexpr std::size_t kLogLines = 100;

struct LogChanges {
    bool clear = false;
    std::string appendToLast;
    std::deque<std::string> lines;

    void Clear() {
        clear = true;
        appendToLast.clear();
        lines.clear();
    }
    void AddLine(std::string line) {
        lines.push_back(std::move(line));
        if (lines.size() > kLogLines) lines.pop_front();
    }
    void Append(const std::string& text) {
        if (lines.empty()) {
            appendToLast += text;
        } else {
            lines.back() += text;
        }
    }
    bool Empty() const { return !clear && appendToLast.empty() && lines.empty(); }
};

}  // namespace tarvoss
