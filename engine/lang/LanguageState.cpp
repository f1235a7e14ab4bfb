#include "lang/LanguageState.h"

#include <charconv>
#include <mutex>

#include "lang/LanguageKeys.h"
#include "lang/ProfileReader.h"

namespace tarvoss {
namespace {

std::mutex stateMutex;
LanguageState state;

}  // namespace

LanguageState CurrentLanguageState() {
    std::lock_guard lock(stateMutex);
    return state;
}

void SetLanguageState(const LanguageState& newState) {
    std::lock_guard lock(stateMutex);
    state = newState;
}

std::string LookupText(std::string_view section, std::string_view key, std::string_view defaultText) {
    return ReadProfileString(CurrentLanguageState().currentLanguageFile, section, key, defaultText);
}

int LookupSize(std::string_view key, int defaultSize) {
    const std::string text = LookupText(kSizesSection, key, {});
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end || value < 1 || value > kMaxLookupSize) {
        return defaultSize;
    }
    return value;
}

}  // namespace tarvoss
