#include "cipher/KeyMaterial.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tarvoss {
namespace {

// The entries of the key-type and key-length lists.
constexpr int kNumerical = static_cast<int>(KeyType::Numerical);
constexpr int kText = static_cast<int>(KeyType::Text);
constexpr int kNone = -1;
constexpr int k128 = static_cast<int>(KeyLength::Bits128);
constexpr int k96 = static_cast<int>(KeyLength::Bits96);
constexpr int k64 = static_cast<int>(KeyLength::Bits64);

// What the key held before; a refused entry or a missing length must leave it.
CipherKey Previous() { return {0xDEADBEEF, 0x01234567, 0x89ABCDEF, 0xCAFEF00D}; }

struct KeyCase {
    const char* name;
    KeyEntry entry;
    bool accepted;
    CipherKey expected;  // the key afterwards
};

const KeyCase kCases[] = {
    // Text keys: bytes little-endian, four to a word; what follows the text is 0.
    {"Text16", {kText, k128, {"ABCDEFGHIJKLMNOP"}}, true, {0x44434241, 0x48474645, 0x4C4B4A49, 0x504F4E4D}},
    {"Text12", {kText, k96, {"abcdefghijkl"}}, true, {0x64636261, 0x68676665, 0x6C6B6A69, 0}},
    {"Text8", {kText, k64, {"12345678"}}, true, {0x34333231, 0x38373635, 0, 0}},
    {"TextIgnoresLength", {kText, kNone, {"12345678"}}, true, {0x34333231, 0x38373635, 0, 0}},
    {"TextTakesAtMost16Bytes",
     {kText, k128, {"ABCDEFGHIJKLMNOPQRS"}},
     true,
     {0x44434241, 0x48474645, 0x4C4B4A49, 0x504F4E4D}},
    // One Windows-1252 byte per character, so all sixteen characters count.
    {"TextIsOneBytePerCharacter",
     {kText, k128, {"\u00E4\u00F6\u00FC\u00E4\u00F6\u00FC\u00DF\u00E9ABCDEFGH"}},
     true,
     {0xE4FCF6E4, 0xE9DFFCF6, 0x44434241, 0x48474645}},
    {"TextOutsideTheCodePageIsRefused", {kText, k64, {"\u65E5\u672C\u8A9E\u3067\u3059ABC"}}, false, Previous()},

    // 128 bit: the joined digits cut into groups of ten.
    {"Numerical128Full",
     {kNumerical, k128, {"12345678", "90123456", "78901234", "56789012", "34567890"}},
     true,
     {1234567890, 1234567890, 1234567890, 1234567890}},
    {"Numerical128GroupsIgnorePartBounds",
     {kNumerical, k128, {"1234567890", "12345678901", "234567890", "1234567890", ""}},
     true,
     {1234567890, 1234567890, 1234567890, 1234567890}},
    {"Numerical128NothingSelectedAsType",
     {kNone, k128, {"12345678", "90123456", "78901234", "56789012", "34567890"}},
     true,
     {1234567890, 1234567890, 1234567890, 1234567890}},
    {"Numerical128WrapsAbove32Bits",
     {kNumerical, k128, {"99999999", "99", "4294967296", "", "42949672950"}},
     true,
     {1410065407, 0, 4294967295, 0}},
    {"Numerical128ThirtyDigitsLastWordZero",
     {kNumerical, k128, {"11111111", "11222222", "22223333", "333333", ""}},
     true,
     {1111111111, 2222222222, 3333333333, 0}},
    {"Numerical128TwentyFiveDigits",
     {kNumerical, k128, {"11111111", "11222222", "22220000", "1", ""}},
     true,
     {1111111111, 2222222222, 1, 0}},
    {"Numerical128ShortStringLaterWordsZero", {kNumerical, k128, {"1234", "5", "", "", ""}}, true, {12345, 0, 0, 0}},
    {"Numerical128EmptyIsZero", {kNumerical, k128, {"", "", "", "", ""}}, true, {0, 0, 0, 0}},
    {"Numerical128StopsAtNonDigit",
     {kNumerical, k128, {"12x45678", "9012345678", "", "", ""}},
     true,
     {12, 12345678, 0, 0}},
    {"Numerical128SpaceAndSign", {kNumerical, k128, {" -5", "", "", "", ""}}, true, {0xFFFFFFFB, 0, 0, 0}},

    // 96 and 64 bit: one word per part, parts 1 to 4.
    {"Numerical96",
     {kNumerical, k96, {"123456", "654321", "000001", "999999", "777777"}},
     true,
     {123456, 654321, 1, 999999}},
    {"Numerical96FifthPartIgnored",
     {kNumerical, k96, {"123456", "654321", "000001", "999999", "not a number"}},
     true,
     {123456, 654321, 1, 999999}},
    {"Numerical64SameAs96",
     {kNumerical, k64, {"123456", "654321", "000001", "999999", ""}},
     true,
     {123456, 654321, 1, 999999}},
    {"Numerical64SignedLimits",
     {kNumerical, k64, {"-1", "2147483647", "-2147483648", "+5"}},
     true,
     {0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 5}},
    {"Numerical64RefusesTooLarge", {kNumerical, k64, {"1", "2147483648", "3", "4"}}, false, Previous()},
    {"Numerical96RefusesTooSmall", {kNumerical, k96, {"1", "2", "-2147483649", "4", "5"}}, false, Previous()},
    {"Numerical64RefusesLetters", {kNumerical, k64, {"1", "2", "3", "12a"}}, false, Previous()},
    {"Numerical64RefusesEmptyPart", {kNumerical, k64, {"1", "", "3", "4"}}, false, Previous()},
    {"Numerical96RefusesSpaces", {kNumerical, k96, {"1", "2", " 3", "4", "5"}}, false, Previous()},
    {"Numerical96RefusesLoneSign", {kNumerical, k96, {"-", "2", "3", "4", "5"}}, false, Previous()},

    // No length selected: the key keeps its words.
    {"NumericalWithoutLengthKeepsKey", {kNumerical, kNone, {"1", "2", "3", "4", "5"}}, true, Previous()},
};

class KeyMaterialTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyMaterialTest, AssemblesTheKeyWords) {
    const KeyCase& c = GetParam();
    CipherKey key = Previous();
    EXPECT_EQ(AssembleKey(c.entry, key), c.accepted);
    EXPECT_EQ(key, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyMaterialTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<KeyCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvoss
