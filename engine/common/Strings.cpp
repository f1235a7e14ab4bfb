#include "common/Strings.h"

#include "platform/LastError.h"

namespace tarvoss {

std::string TrimLeftSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRightSpaces(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string AppendNumber(std::string_view text, std::int64_t value) {
    return std::string(text) + std::to_string(value);
}

std::string LastErrorText(std::string_view fallback) {
    const int code = GetLastError();
    return code == 0 ? std::string(fallback) : DescribeError(code);
}

}  // namespace tarvoss
