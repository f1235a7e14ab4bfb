#include <gtest/gtest.h>

#include "common/Strings.h"
#include "platform/LastError.h"

namespace tarvoss {
namespace {

TEST(Strings, TrimsOnlySpaces) {
    struct Case {
        const char* text;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"", "", ""},
        {"   ", "", ""},
        {"  a b  ", "a b  ", "  a b"},
        {"\ta\t", "\ta\t", "\ta\t"},  // tabs stay
        {" \tx", "\tx", " \tx"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TrimLeftSpaces(c.text), c.left) << '"' << c.text << '"';
        EXPECT_EQ(TrimRightSpaces(c.text), c.right) << '"' << c.text << '"';
    }
}

TEST(Strings, AppendNumber) {
    EXPECT_EQ(AppendNumber("Error #", -5), "Error #-5");
    EXPECT_EQ(AppendNumber("Error #", 0), "Error #0");
    EXPECT_EQ(AppendNumber("", 2147483647), "2147483647");
}

TEST(Strings, LastErrorTextFallsBackWhenNoError) {
    SetLastError(0);
    EXPECT_EQ(LastErrorText("System error has occurred."), "System error has occurred.");
    SetLastError(ErrorCode(ErrorCondition::NotFound));
    const std::string text = LastErrorText("fallback");
    EXPECT_EQ(text, DescribeError(ErrorCode(ErrorCondition::NotFound)));
    EXPECT_NE(text, "fallback");
    EXPECT_TRUE(text.ends_with("\r\n")) << text;
    SetLastError(0);
}

}  // namespace
}  // namespace tarvoss
