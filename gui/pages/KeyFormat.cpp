#include "pages/KeyFormat.h"

namespace tarvoss {
namespace {

constexpr int kNumericalFirstPartWidth = 53;
constexpr int kTextFirstPartWidth = 120;

}  // namespace

KeyFormat KeyFormatFor(int keyType, int keyLength) {
    KeyFormat format;
    if (keyType == kTextKey) {
        format.text = true;
        format.visibleParts = 1;
        format.firstPartWidth = kTextFirstPartWidth;
        format.maxLength = keyLength == kKeyLength96 ? 12 : keyLength == kKeyLength64 ? 8 : 16;
        return format;
    }
    format.firstPartWidth = kNumericalFirstPartWidth;
    if (keyLength == kKeyLength64) {
        format.visibleParts = 4;
        format.maxLength = 5;
    } else {
        format.visibleParts = 5;
        format.maxLength = keyLength == kKeyLength96 ? 6 : 8;
    }
    return format;
}

}  // namespace tarvoss
