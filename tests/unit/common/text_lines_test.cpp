#include "common/text_lines.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(SplitLines, EachKindOfLineEndEndsOneLine) {
    const struct {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},                // a final line end adds no empty line
        {"a\r\n\r\nb", {"a", "", "b"}},  // two line ends in a row give an empty line
        {"a\n\r", {"a", ""}},            // LF then CR are two line ends
        {"\r\n", {""}},
        {"[Config]\r\nVersion=1.84\r\n", {"[Config]", "Version=1.84"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\r\nb", {"a", "", "b"}},
        {"a\r\rb", {"a", "", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;
}

TEST(JoinLines, PutsCrLfBetweenLinesOnly) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb");
    EXPECT_EQ(SplitLines(JoinLines({"a", "", "b"})), (Lines{"a", "", "b"}));
}
