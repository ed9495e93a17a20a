#include "tunnel/status_lines.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> EntriesOf(const std::vector<std::string>& reads) {
    StatusLines lines;
    for (const std::string& read : reads)
        lines.Append(read);
    std::vector<std::string> entries;
    while (std::optional<std::string> entry = lines.TakeNext())
        entries.push_back(*entry);
    return entries;
}

TEST(StatusLines, EachReadIsSplitByItselfAtCrLfCrAndLf) {
    using Entries = std::vector<std::string>;
    const struct {
        std::vector<std::string> reads;
        Entries entries;
    } cases[] = {
        {{"160036 Searching\r\n160032 Connecting\r\n"}, {"160036 Searching", "160032 Connecting"}},
        {{"1601", "38\r\n"}, {"1601", "38"}},                        // a line cut by a read gives two entries
        {{"160036\r", "\n160032\n"}, {"160036", "", "160032"}},      // CR ends one read, LF begins the next
        {{"160036\n\n160032\r\r\n"}, {"160036", "", "160032", ""}},  // two line ends in a row
        {{"160036\rX\nY\r\nZ"}, {"160036", "X", "Y", "Z"}},
        {{std::string("160138\0garbage\n", 15), "160239\n"}, {"160138", "160239"}},  // a zero byte ends the read
        {{std::string("\0", 1)}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EntriesOf(c.reads), c.entries) << testing::PrintToString(c.reads);
}

TEST(StatusLines, CountsEveryEntryTakenAndKeepsTheRestForLater) {
    StatusLines lines;
    lines.Append("a\nb\n");
    EXPECT_EQ(lines.TakeNext(), "a");
    lines.Append("c\n");
    EXPECT_EQ(lines.TakeNext(), "b");
    EXPECT_EQ(lines.TakeNext(), "c");
    EXPECT_EQ(lines.TakeNext(), std::nullopt);
    EXPECT_EQ(lines.Interpreted(), 3u);
}

}  // namespace
