#include "warden/socks/node_reply_parser.h"

#include <gtest/gtest.h>

#include "socks_test_support.h"

namespace warden::socks {
namespace {

using Event = NodeReplyParser::Event;
using Stage = NodeReplyParser::Stage;

TEST(NodeReplyParser, ParsesEachReplyHoweverTheBytesArrive) {
    struct Case {
        const char* name;
        Stage stage;
        Bytes bytes;
        std::uint8_t code;
        std::size_t size;  // of the reply; bytes behind it belong to the destination
        Destination bound{};
    };
    const Case cases[] = {
        {"method user/password", Stage::kMethodChoice, {5, 2}, 2, 2},
        {"method none acceptable", Stage::kMethodChoice, {5, 0xFF}, 0xFF, 2},
        {"auth accepted", Stage::kAuthStatus, {1, 0}, 0, 2},
        {"auth refused", Stage::kAuthStatus, {1, 1}, 1, 2},
        {"connected, IPv4, data behind",
         Stage::kConnectReply,
         Concat({{5, 0, 0, 1, 127, 0, 0, 3, 0x9C, 0x40}, Text("220 ")}),
         0,
         10,
         {Ipv4{127, 0, 0, 3}, 40000}},
        {"connected, name",
         Stage::kConnectReply,
         Concat({{5, 0, 0, 3, 4}, Text("node"), {0, 1}}),
         0,
         11,
         {std::string("node"), 1}},
        {"connected, IPv6", Stage::kConnectReply, Concat({{5, 0, 0, 4}, Bytes(16, 0), {0, 1}}), 0, 22, {Ipv6{}, 1}},
        {"refused: done at its code", Stage::kConnectReply, {5, 5}, 5, 2},
        {"host unreachable, full reply", Stage::kConnectReply, {5, 4, 0, 1, 0, 0, 0, 0, 0, 0}, 4, 2},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, c.bytes.size()}) {
            NodeReplyParser parser(c.stage);
            const auto fed = FeedInPieces(parser, c.bytes, piece, Event::kDone);
            ASSERT_EQ(fed.events, std::vector<Event>{Event::kDone}) << c.name << ", pieces of " << piece;
            EXPECT_EQ(parser.code(), c.code) << c.name;
            EXPECT_EQ(fed.consumed, c.size) << c.name;
            if (c.stage == Stage::kConnectReply && c.code == 0) {
                EXPECT_EQ(parser.bound(), c.bound) << c.name;
            }
        }
    }
}

TEST(NodeReplyParser, RejectsRepliesThatAreNotSocks5) {
    struct Case {
        const char* name;
        Stage stage;
        Bytes bytes;
    };
    const Case cases[] = {
        {"method choice of SOCKS4", Stage::kMethodChoice, {4, 0}},
        {"HTTP answer", Stage::kMethodChoice, Text("HTTP/1.1 400")},
        {"auth status of another version", Stage::kAuthStatus, {5, 0}},
        {"connect reply of another version", Stage::kConnectReply, {0, 90, 0, 0, 0, 0, 0, 0}},
        {"connected to an unknown address type", Stage::kConnectReply, {5, 0, 0, 7, 1, 2, 3, 4, 0, 80}},
        {"connected to an empty name", Stage::kConnectReply, {5, 0, 0, 3, 0, 0, 80}},
    };
    for (const Case& c : cases) {
        NodeReplyParser parser(c.stage);
        const auto fed = FeedInPieces(parser, c.bytes, 1, Event::kDone);
        EXPECT_EQ(fed.events, std::vector<Event>{Event::kInvalid}) << c.name;
    }
}

}  // namespace
}  // namespace warden::socks
