// The bytes of text keys: one per character, by the Windows-1252 code page.
// The row 0x80 to 0x9F is the code page's published table; bytes 0xA0 to 0xFF
// stand for the characters U+00A0 to U+00FF.

#include "cipher/TextKeyBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvoss {
namespace {

struct Mapped {
    const char* text;  // UTF-8
    unsigned char byte;
};

const Mapped kMapped[] = {
    {"A", 0x41},      {"~", 0x7E},      {"\x7F", 0x7F},   {" ", 0x20},      {"\u20AC", 0x80}, {"\u201A", 0x82},
    {"\u0192", 0x83}, {"\u201E", 0x84}, {"\u2026", 0x85}, {"\u2020", 0x86}, {"\u2021", 0x87}, {"\u02C6", 0x88},
    {"\u2030", 0x89}, {"\u0160", 0x8A}, {"\u2039", 0x8B}, {"\u0152", 0x8C}, {"\u017D", 0x8E}, {"\u2018", 0x91},
    {"\u2019", 0x92}, {"\u201C", 0x93}, {"\u201D", 0x94}, {"\u2022", 0x95}, {"\u2013", 0x96}, {"\u2014", 0x97},
    {"\u02DC", 0x98}, {"\u2122", 0x99}, {"\u0161", 0x9A}, {"\u203A", 0x9B}, {"\u0153", 0x9C}, {"\u017E", 0x9E},
    {"\u0178", 0x9F}, {"\u00A0", 0xA0}, {"\u00A9", 0xA9}, {"\u00C4", 0xC4}, {"\u00DF", 0xDF}, {"\u00E4", 0xE4},
    {"\u00E9", 0xE9}, {"\u00FF", 0xFF},
};

TEST(TextKeyBytes, EachCharacterOfTheCodePageIsOneByte) {
    for (const Mapped& m : kMapped) {
        const auto bytes = TextKeyBytes(m.text);
        ASSERT_TRUE(bytes.has_value()) << m.text;
        EXPECT_EQ(*bytes, std::string(1, static_cast<char>(m.byte))) << m.text;
    }
    EXPECT_EQ(TextKeyBytes(""), std::string());
    EXPECT_EQ(TextKeyBytes("\u00E4\u00F6\u00FC\u00E4\u00F6\u00FC\u00DF\u00E9ABCDEFGH"),
              std::string("\xE4\xF6\xFC\xE4\xF6\xFC\xDF\xE9"
                          "ABCDEFGH"));
}

TEST(TextKeyBytes, CharactersWithoutAByteAndBrokenTextAreRefused) {
    const char* refused[] = {
        "\u0081",    "\u008D", "\u008F",   "\u0090",       "\u009D",            // the code page's five gaps
        "\u0080",                                                               // a control, not the euro sign
        "\u0100",    "\u0416", "\u65E5",   "\U0001F511",                        // other scripts and symbols
        "abc\u03A9",                                                            // one such character spoils the key
        "\xE9",      "\xC3",   "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",  // not UTF-8
    };
    for (const char* text : refused) EXPECT_FALSE(TextKeyBytes(text).has_value()) << text;
}

}  // namespace
}  // namespace tarvoss
