#include "firefox/host/state_file.h"

#include <gtest/gtest.h>

#include <string>

#include "firefox/host/bypass_list.h"
#include "firefox/host/loopback_proxy.h"

namespace firefox_host {
namespace {

std::string Lines(std::initializer_list<std::string_view> lines, std::string_view end = "\r\n") {
    std::string text;
    for (std::string_view line : lines)
        (text += line) += end;
    return text;
}

const std::string kOnFile =
    Lines({"1", "-1", "United States - Dallas #3", "a.example,b.example,", "127.0.0.1", "7070"});

TEST(StateFile, OnFileGivesTheProxyTheLabelAndTheBypassList) {
    for (std::string_view end : {"\r\n", "\n"}) {
        const ProxyState state = ParseStateFile(
            Lines({"1", "-1", "United States - Dallas #3", "a.example,b.example,", "127.0.0.1", "7070"}, end));
        EXPECT_EQ(state.standing, Standing::kOn);
        EXPECT_EQ(state.label, "United States - Dallas #3");
        EXPECT_EQ(state.host, "127.0.0.1");
        EXPECT_EQ(state.port, 7070);
        EXPECT_EQ(state.bypass, (std::vector<std::string>{"a.example", "b.example"}));
        EXPECT_EQ(state.ignored_bypass, 0u);
    }
}

TEST(StateFile, OffFileIsClearedWhateverFollowsLineTwo) {
    EXPECT_EQ(ParseStateFile(Lines({"1", "0", "", "", "", ""})).standing, Standing::kCleared);
    EXPECT_EQ(ParseStateFile(Lines({"1", "0", "old label", "x", "192.0.2.1", "0"})).standing, Standing::kCleared);
}

TEST(StateFile, AnythingButTheProgramsSixLinesIsInvalid) {
    struct Case {
        const char* name;
        std::string content;
        Problem problem;
    };
    const Case cases[] = {
        {"empty file", "", Problem::kNotSixLines},
        {"cut in the last line", kOnFile.substr(0, kOnFile.size() - 3), Problem::kNotSixLines},
        {"cut at a line end", Lines({"1", "-1", "label"}), Problem::kNotSixLines},
        {"last line without its end", kOnFile.substr(0, kOnFile.size() - 2), Problem::kNotSixLines},
        {"a seventh line", kOnFile + "extra\r\n", Problem::kNotSixLines},
        {"an empty seventh line", kOnFile + "\r\n", Problem::kNotSixLines},
        {"oversized", kOnFile + std::string(kMaxStateFileSize, 'x'), Problem::kTooLarge},
        {"other format", Lines({"2", "-1", "l", "", "127.0.0.1", "7070"}), Problem::kUnknownFormat},
        {"switch neither -1 nor 0", Lines({"1", "1", "l", "", "127.0.0.1", "7070"}), Problem::kUnknownSwitch},
        {"switch with a blank", Lines({"1", "-1 ", "l", "", "127.0.0.1", "7070"}), Problem::kUnknownSwitch},
        {"label with a control character", Lines({"1", "-1", "a\tb", "", "127.0.0.1", "7070"}), Problem::kBadLabel},
        {"label with a lone CR", Lines({"1", "-1", "a\rb", "", "127.0.0.1", "7070"}), Problem::kBadLabel},
        {"label too long", Lines({"1", "-1", std::string(kMaxLabelSize + 1, 'x'), "", "127.0.0.1", "7070"}),
         Problem::kBadLabel},
        {"proxy on another machine", Lines({"1", "-1", "l", "", "192.0.2.1", "7070"}), Problem::kProxyNotLoopback},
        {"proxy by name", Lines({"1", "-1", "l", "", "localhost", "7070"}), Problem::kProxyNotLoopback},
        {"no proxy host", Lines({"1", "-1", "l", "", "", "7070"}), Problem::kProxyNotLoopback},
        {"no port", Lines({"1", "-1", "l", "", "127.0.0.1", ""}), Problem::kBadPort},
        {"port out of range", Lines({"1", "-1", "l", "", "127.0.0.1", "65536"}), Problem::kBadPort},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProxyState state = ParseStateFile(c.content);
        EXPECT_EQ(state.standing, Standing::kInvalid);
        EXPECT_EQ(state.problem, c.problem);
    }
}

TEST(StateFile, TheLargestFileIsStillRead) {
    std::string bypass;
    const std::string header = Lines({"1", "-1", "l"});
    const std::string footer = Lines({"127.0.0.1", "7070"});
    while (header.size() + bypass.size() + 2 + footer.size() < kMaxStateFileSize)
        bypass += ',';
    const ProxyState state = ParseStateFile(header + bypass + "\r\n" + footer);
    EXPECT_EQ(state.standing, Standing::kOn);
    EXPECT_TRUE(state.bypass.empty());
}

TEST(LoopbackProxy, TakesOnlyLoopbackDottedQuads) {
    for (const char* good : {"127.0.0.1", "127.255.255.254", "127.0.0.0"})
        EXPECT_TRUE(IsLoopbackIpv4(good)) << good;
    for (const char* bad : {"128.0.0.1", "127.0.0", "127.0.0.1.", "127.0.0.01", "127.0.0.256", "127.0.0.1 ",
                            " 127.0.0.1", "127..0.1", "0x7f.0.0.1", "2130706433", "::1", "127.0.0.1:7070", ""})
        EXPECT_FALSE(IsLoopbackIpv4(bad)) << bad;
}

TEST(LoopbackProxy, PortsFromOneTo65535) {
    EXPECT_EQ(ParsePort("7070"), 7070);
    EXPECT_EQ(ParsePort("1"), 1);
    EXPECT_EQ(ParsePort("65535"), 65535);
    for (const char* bad : {"0", "65536", "99999", "123456", "-1", "+80", "80 ", "7o7o", ""})
        EXPECT_FALSE(ParsePort(bad).has_value()) << bad;
}

TEST(BypassList, EntriesAsTheProgramWritesThem) {
    struct Case {
        const char* line;
        std::vector<std::string> entries;
        std::size_t ignored;
    };
    const Case cases[] = {
        {"", {}, 0},
        {"a.example,b.example,", {"a.example", "b.example"}, 0},
        {",,a.example,,", {"a.example"}, 0},
        {" A.Example\t, *.b.example,.c.example", {"a.example", "*.b.example", ".c.example"}, 0},
        {"10.*,192.0.2.7,[::1],<local>", {"10.*", "192.0.2.7", "[::1]", "<local>"}, 0},
        {"http://a.example,a.example/path,a b.example,b.example", {"b.example"}, 3},
        {"caf\xE9.example,[zz::1],<LOCAL>", {"<local>"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const BypassList list = ParseBypassList(c.line);
        EXPECT_EQ(list.entries, c.entries);
        EXPECT_EQ(list.ignored, c.ignored);
    }
}

TEST(BypassList, BoundsTheCountAndTheLengthOfEntries) {
    std::string line(kMaxBypassEntrySize + 1, 'a');
    for (std::size_t i = 0; i < kMaxBypassEntries + 5; ++i)
        line += ",h" + std::to_string(i);
    const BypassList list = ParseBypassList(line);
    EXPECT_EQ(list.entries.size(), kMaxBypassEntries);
    EXPECT_EQ(list.ignored, 1u + 5u);
}

}  // namespace
}  // namespace firefox_host
