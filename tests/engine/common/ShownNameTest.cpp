#include <gtest/gtest.h>

#include <string>

#include "common/ShownName.h"

namespace tarvoss {
namespace {

TEST(ShownName, ControlCharactersAreEscapedEverythingElseKept) {
    struct Case {
        std::string name;
        std::string shown;
    };
    const Case cases[] = {
        {"plain name.txt", "plain name.txt"},
        {"two\nlines", "two\\nlines"},
        {"cr\rlf\n", "cr\\rlf\\n"},
        {"tab\there", "tab\\there"},
        {"\x1b[31mred", "\\x1B[31mred"},
        {std::string("nul\0byte", 8), "nul\\x00byte"},
        {"del\x7f", "del\\x7F"},
        {"next\xc2\x85line", "next\\u0085line"},  // NEL
        {"csi\xc2\x9b"
         "2J",
         "csi\\u009B2J"},  // 8-bit CSI
        {"sep\xe2\x80\xa8par\xe2\x80\xa9", "sep\\u2028par\\u2029"},
        {"caf\xc3\xa9 \xe2\x80\x94 \xc2\xa0ok", "caf\xc3\xa9 \xe2\x80\x94 \xc2\xa0ok"},  // printable UTF-8 stays
        {"cut \xc2", "cut \xc2"},  // a lone lead byte stays as it is
        {"back\\slash", "back\\slash"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShownName(c.name), c.shown) << c.shown;
}

}  // namespace
}  // namespace tarvoss
