// The key rules as the design fixes them, pinned here once: every other test
// takes the parts and lengths from the engine's table.

#include "cipher/KeyRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tarvoss {
namespace {

TEST(KeyRules, EveryTypeAndLengthHasTheDesignedForm) {
    struct Pinned {
        KeyType type;
        KeyLength length;
        const char* bits;
        int parts;
        int partCharacters;
        KeyCharacters characters;
    };
    const Pinned pinned[] = {
        {KeyType::Numerical, KeyLength::Bits128, "128", 5, 8, KeyCharacters::Digits},
        {KeyType::Numerical, KeyLength::Bits96, "96", 5, 6, KeyCharacters::Digits},
        {KeyType::Numerical, KeyLength::Bits64, "64", 4, 5, KeyCharacters::Digits},
        {KeyType::Text, KeyLength::Bits128, "128", 1, 16, KeyCharacters::CodePage},
        {KeyType::Text, KeyLength::Bits96, "96", 1, 12, KeyCharacters::CodePage},
        {KeyType::Text, KeyLength::Bits64, "64", 1, 8, KeyCharacters::CodePage},
    };
    ASSERT_EQ(KeyRules().size(), std::size(pinned));
    for (const Pinned& p : pinned) {
        const KeyRule& rule = KeyRuleFor(p.type, p.length);
        const std::string name = p.bits;
        EXPECT_EQ(rule.type, p.type) << name;
        EXPECT_EQ(rule.length, p.length) << name;
        EXPECT_EQ(rule.bits, p.bits) << name;
        EXPECT_EQ(rule.parts, p.parts) << name;
        EXPECT_EQ(rule.partCharacters, p.partCharacters) << name;
        EXPECT_EQ(rule.characters, p.characters) << name;
        EXPECT_LE(rule.parts, kKeyPartCount) << name;
        EXPECT_EQ(KeyLengthNamed(p.bits), p.length);
    }
    EXPECT_EQ(kKeyPartCount, 5);
    EXPECT_EQ(LongestDigitGroup(), 8);
}

TEST(KeyRules, ListEntriesAndNames) {
    // The lists' entries in their order; anything else is no selection.
    EXPECT_EQ(KeyTypeAt(0), KeyType::Numerical);
    EXPECT_EQ(KeyTypeAt(1), KeyType::Text);
    EXPECT_EQ(KeyLengthAt(0), KeyLength::Bits128);
    EXPECT_EQ(KeyLengthAt(1), KeyLength::Bits96);
    EXPECT_EQ(KeyLengthAt(2), KeyLength::Bits64);
    for (const int outside : {-1, 2, 3}) EXPECT_EQ(KeyTypeAt(outside), std::nullopt) << outside;
    for (const int outside : {-1, 3}) EXPECT_EQ(KeyLengthAt(outside), std::nullopt) << outside;

    EXPECT_EQ(KeyTypeName(KeyType::Numerical), "numerical");
    EXPECT_EQ(KeyTypeName(KeyType::Text), "text");
    EXPECT_EQ(KeyTypeNamed("numerical"), KeyType::Numerical);
    EXPECT_EQ(KeyTypeNamed("text"), KeyType::Text);
    for (const char* wrong : {"", "Text", "numeric", "text "}) EXPECT_EQ(KeyTypeNamed(wrong), std::nullopt) << wrong;
    for (const char* wrong : {"", "32", "256", "128 ", "0128"}) EXPECT_EQ(KeyLengthNamed(wrong), std::nullopt) << wrong;
}

TEST(KeyRules, AllowedCharacters) {
    const struct {
        KeyCharacters characters;
        const char* text;
        bool allowed;
    } cases[] = {
        {KeyCharacters::Digits, "0123456789", true},
        {KeyCharacters::Digits, "", true},
        {KeyCharacters::Digits, "12a4", false},
        {KeyCharacters::Digits, "-12", false},
        {KeyCharacters::Digits, " 12", false},
        {KeyCharacters::Digits, "\xD9\xA3", false},  // an Arabic-Indic digit
        {KeyCharacters::CodePage, "Key 1234, &tail!", true},
        {KeyCharacters::CodePage, "\xC3\xA4\xC3\x9F\xE2\x82\xAC", true},  // a, sharp s, euro sign
        {KeyCharacters::CodePage, "\xE6\x97\xA5", false},                 // outside the code page
        {KeyCharacters::CodePage, "\xFF", false},                         // not UTF-8
    };
    for (const auto& c : cases) EXPECT_EQ(AllowedKeyText(c.characters, c.text), c.allowed) << c.text;
}

}  // namespace
}  // namespace tarvoss
