#include "pages/KeyFormat.h"

namespace tarvoss {
namespace {

constexpr int kNumericalFirstPartWidth = 53;
constexpr int kTextFirstPartWidth = 120;

}  // namespace

KeyFormat KeyFormatFor(int keyType, int keyLength) {
    const KeyType type = KeyTypeAt(keyType).value_or(KeyType::Numerical);
    const KeyRule& rule = KeyRuleFor(type, KeyLengthAt(keyLength).value_or(KeyLength::Bits128));
    KeyFormat format;
    format.text = type == KeyType::Text;
    format.visibleParts = rule.parts;
    format.maxLength = rule.partCharacters;
    format.firstPartWidth = format.text ? kTextFirstPartWidth : kNumericalFirstPartWidth;
    return format;
}

}  // namespace tarvoss
