#include "directory/reply_parser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/directory/reply_text.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

NodeListParse Parse(const std::string& text) {
    return ParseNodeList(ReplyLines(text));
}

std::vector<std::string> Hosts(const NodeListParse& parsed) {
    std::vector<std::string> hosts;
    for (const TServer& server : parsed.nodes.servers)
        hosts.push_back(server.Host);
    return hosts;
}

TEST(ReplyParser, ARangeGivesOneNodePerAddressWithTheTunnelValuesUnscrambled) {
    const NodeListParse parsed = Parse(ReplyText{}.Node("10", "192.0.2.5-7").Text());
    ASSERT_EQ(parsed.kind, NodeListParse::Kind::Nodes);
    EXPECT_THAT(parsed.nodes.servers, ElementsAre(TServer{"#1 Masq Node", "192.0.2.5", 10, 1, false},
                                                  TServer{"#2 Masq Node", "192.0.2.6", 10, 2, false},
                                                  TServer{"#3 Masq Node", "192.0.2.7", 10, 3, false}));
    EXPECT_EQ(parsed.nodes.port, "1080");
    EXPECT_EQ(parsed.nodes.user, "user");
    EXPECT_EQ(parsed.nodes.key, "key");
}

TEST(ReplyParser, NumbersNodesAcrossLinesAndSkipsARangeThatRunsBackwards) {
    const NodeListParse parsed =
        Parse(ReplyText{}.Node("10", "10.0.0.1-2").Node("21", "10.0.1.9-3").Node(" \t11", "10.0.2.7").Text());
    ASSERT_EQ(parsed.kind, NodeListParse::Kind::Nodes);
    EXPECT_THAT(Hosts(parsed), ElementsAre("10.0.0.1", "10.0.0.2", "10.0.2.7"));
    EXPECT_EQ(parsed.nodes.servers[2].Number, 3);
    EXPECT_EQ(parsed.nodes.servers[2].Caption, "#3 Masq Node");
    EXPECT_EQ(parsed.nodes.servers[2].Country, 11);
}

TEST(ReplyParser, LooksNamesUpWithoutRegardToCaseAndTakesTheFirstLineOfAName) {
    const ReplyLines reply("b=1\nc=2\rC=5\r\nNewVersion=1 \nServiceNotAvailable-1=1\nnoequals\n=x\nE=1=2");
    EXPECT_EQ(reply.Value("C"), "2");
    EXPECT_EQ(ValueAsInt(reply, "c"), 2);
    EXPECT_EQ(reply.Value("e"), "1=2");
    EXPECT_EQ(reply.Value("noequals"), "");
    EXPECT_EQ(reply.Value(""), "x");
    EXPECT_TRUE(ValueIsOne(reply, "B"));
    EXPECT_TRUE(ValueIsOne(reply, "servicenotavailable-1"));
    EXPECT_FALSE(ValueIsOne(reply, "NewVersion"));  // "1 " is not "1"
    EXPECT_EQ(ValueAsInt(reply, "missing"), 0);
}

TEST(ReplyParser, AReplyWithoutNodesHasNone) {
    EXPECT_EQ(Parse("B=1\r\nE=1\r\n").kind, NodeListParse::Kind::NoNodes);
    EXPECT_EQ(Parse("B=1\r\nC=0\r\n1=10<4?#=#?#8 :\r\nE=1\r\n").kind, NodeListParse::Kind::NoNodes);
}

TEST(ReplyParser, ReadsAddressEntriesAndTheirRanges) {
    const std::optional<AddressEntry> range = ParseAddressEntry("10.0.0.250-255");
    ASSERT_TRUE(range);
    EXPECT_EQ(RangeCount(*range), 6);
    EXPECT_EQ(RangeAddress(*range, 0), "10.0.0.250");
    EXPECT_EQ(RangeAddress(*range, 5), "10.0.0.255");
    const std::optional<AddressEntry> single = ParseAddressEntry("192.0.2.1");
    ASSERT_TRUE(single);
    EXPECT_EQ(RangeCount(*single), 1);
    EXPECT_EQ(RangeAddress(*single, 0), "192.0.2.1");
    for (const char* bad : {"", "192.0.2", "192.0.2.1.5", "192.0.2.256", "192.0.2.1-256", "192.0.2.1-", "1..2.3",
                            "192.0.2.1-2-3", "a.b.c.d", "192.0.2.+1", "0192.0.2.1", "192.0.2.1 -3"})
        EXPECT_FALSE(ParseAddressEntry(bad)) << bad;
}

// Whatever the network sends is bounded before it drives anything: a reply that is not of the
// form is rejected as a whole, with the reason.
TEST(ReplyParser, RejectsAMalformedNodeSection) {
    const std::string tooManyNodes = [] {
        ReplyText reply;
        for (int k = 0; k < 17; ++k)
            reply.Node("10", "10.0." + std::to_string(k) + ".0-255");  // 17 * 256 > kMaxNodes
        return reply.Text();
    }();
    const struct {
        std::string reply;
        const char* reason;
    } cases[] = {
        {"C=abc\r\n", "the node count is no number"},
        {"C=-1\r\n", "the node count is no number"},
        {"C=1000000\r\n", "more than 1000 node lines"},
        {"C=99999999999999999999\r\n", "the node count is no number"},
        {"C=2\r\n1=10" + ScrambleText("10.0.0.1", kScrambleKey) + "\r\n", "node line 2 is missing"},
        {ReplyText{}.Node("1x", "10.0.0.1").Text(), "node line 1 is missing or has no location code"},
        {ReplyText{}.Node("10", "").Text(), "node line 1 is missing or has no location code"},
        {ReplyText{}.Node("10", "10.0.0.1").Node("10", "10.0.0.999").Text(), "node line 2 has no address entry"},
        {ReplyText{}.Node("10", "10.0.0.0-4294967295").Text(), "node line 1 has no address entry"},
        {tooManyNodes, "more than 4096 nodes"},
        {ReplyText{.port = "10 80"}.Node("10", "10.0.0.1").Text(), "a tunnel value"},
        {ReplyText{.user = "us\"er"}.Node("10", "10.0.0.1").Text(), "a tunnel value"},
        {ReplyText{.key = "k\x01y"}.Node("10", "10.0.0.1").Text(), "a tunnel value"},
        {ReplyText{.key = std::string(kMaxTunnelValueLength + 1, 'k')}.Node("10", "10.0.0.1").Text(), "a tunnel value"},
    };
    for (const auto& c : cases) {
        const NodeListParse parsed = Parse(c.reply);
        EXPECT_EQ(parsed.kind, NodeListParse::Kind::Malformed) << c.reply;
        EXPECT_THAT(parsed.reason, HasSubstr(c.reason)) << c.reply;
        EXPECT_TRUE(parsed.nodes.servers.empty());
    }
}

TEST(ReplyParser, TakesEmptyTunnelValuesAndTheMostNodesItAllows) {
    ReplyText reply{.user = "", .key = ""};
    for (int k = 0; k < 16; ++k)
        reply.Node("10", "10.0." + std::to_string(k) + ".0-255");
    const NodeListParse parsed = Parse(reply.Text());
    ASSERT_EQ(parsed.kind, NodeListParse::Kind::Nodes);
    EXPECT_EQ(parsed.nodes.servers.size(), std::size_t(kMaxNodes));
    EXPECT_EQ(parsed.nodes.user, "");
}

}  // namespace
