#include "warden/socks/client_request_parser.h"

#include <gtest/gtest.h>

#include "socks_test_support.h"

namespace warden::socks {
namespace {

using Event = ClientRequestParser::Event;
using Fault = ClientRequestParser::Fault;

const Bytes kGreetingNoAuth{5, 1, 0};

struct ValidCase {
    const char* name;
    Bytes bytes;
    Protocol protocol;
    std::uint8_t command;
    Destination destination;
};

const ValidCase kValidCases[] = {
    {"SOCKS4",
     Concat({{4, 1, 0, 80, 127, 0, 0, 1}, Text("user"), {0}}),
     Protocol::kSocks4,
     1,
     {Ipv4{127, 0, 0, 1}, 80}},
    {"SOCKS4 empty user id", {4, 1, 0x1F, 0x90, 10, 1, 2, 3, 0}, Protocol::kSocks4, 1, {Ipv4{10, 1, 2, 3}, 8080}},
    {"SOCKS4 address 0.0.0.0 is no name", {4, 1, 0, 80, 0, 0, 0, 0, 0}, Protocol::kSocks4, 1, {Ipv4{0, 0, 0, 0}, 80}},
    {"SOCKS4a",
     Concat({{4, 1, 0x01, 0xBB, 0, 0, 0, 1}, Text("me"), {0}, Text("example.org"), {0}}),
     Protocol::kSocks4a,
     1,
     {std::string("example.org"), 443}},
    {"SOCKS4 BIND", {4, 2, 0, 21, 1, 2, 3, 4, 0}, Protocol::kSocks4, 2, {Ipv4{1, 2, 3, 4}, 21}},
    {"SOCKS5 IPv4",
     Concat({kGreetingNoAuth, {5, 1, 0, 1, 192, 0, 2, 7, 0, 80}}),
     Protocol::kSocks5,
     1,
     {Ipv4{192, 0, 2, 7}, 80}},
    {"SOCKS5 name",
     Concat({{5, 2, 2, 0}, {5, 1, 0, 3, 9}, Text("localhost"), {0x1F, 0x90}}),
     Protocol::kSocks5,
     1,
     {std::string("localhost"), 8080}},
    {"SOCKS5 IPv6",
     Concat({kGreetingNoAuth, {5, 1, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 80}}),
     Protocol::kSocks5,
     1,
     {Ipv6{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 80}},
    {"SOCKS5 UDP ASSOCIATE",
     Concat({kGreetingNoAuth, {5, 3, 0, 1, 0, 0, 0, 0, 0, 0}}),
     Protocol::kSocks5,
     3,
     {Ipv4{0, 0, 0, 0}, 0}},
};

TEST(ClientRequestParser, ParsesEveryRequestKindHoweverTheBytesArrive) {
    for (const ValidCase& c : kValidCases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{7}, c.bytes.size()}) {
            ClientRequestParser parser;
            const auto fed = FeedInPieces(parser, c.bytes, piece, Event::kRequest);
            const std::vector<Event> expected = c.protocol == Protocol::kSocks5
                                                    ? std::vector<Event>{Event::kGreeting, Event::kRequest}
                                                    : std::vector<Event>{Event::kRequest};
            ASSERT_EQ(fed.events, expected) << c.name << ", pieces of " << piece;
            EXPECT_EQ(fed.consumed, c.bytes.size()) << c.name;
            EXPECT_EQ(parser.protocol(), c.protocol) << c.name;
            EXPECT_EQ(parser.command(), c.command) << c.name;
            EXPECT_EQ(parser.destination(), c.destination) << c.name;
        }
    }
}

TEST(ClientRequestParser, LeavesBytesSentBehindEachMessageToTheCaller) {
    // A greeting and request in one read, then the program's first data before any reply.
    const Bytes request{5, 1, 0, 1, 127, 0, 0, 1, 0, 80};
    const Bytes all = Concat({kGreetingNoAuth, request, Text("GET /")});
    ClientRequestParser parser;
    std::span<const std::uint8_t> input(all);

    const auto greeting = parser.Feed(input);
    EXPECT_EQ(greeting.event, Event::kGreeting);
    EXPECT_EQ(greeting.consumed, kGreetingNoAuth.size());
    EXPECT_TRUE(parser.offers_no_auth());

    input = input.subspan(greeting.consumed);
    const auto parsed = parser.Feed(input);
    EXPECT_EQ(parsed.event, Event::kRequest);
    EXPECT_EQ(parsed.consumed, request.size());
    EXPECT_EQ(input.size() - parsed.consumed, 5U);
}

TEST(ClientRequestParser, TellsWhetherTheGreetingOffersNoAuthentication) {
    for (const auto& [greeting, offers] : {std::pair{Bytes{5, 1, 2}, false}, std::pair{Bytes{5, 3, 1, 2, 0}, true}}) {
        ClientRequestParser parser;
        EXPECT_EQ(parser.Feed(greeting).event, Event::kGreeting);
        EXPECT_EQ(parser.offers_no_auth(), offers);
    }
}

TEST(ClientRequestParser, RejectsMalformedRequestsWithTheirFault) {
    const Bytes long_text(kMaxText + 1, 'a');
    struct Case {
        const char* name;
        Bytes bytes;
        Fault fault;
    };
    const Case cases[] = {
        {"HTTP instead of SOCKS", Text("GET / HTTP/1.1\r\n"), Fault::kUnknownVersion},
        {"TLS instead of SOCKS", {0x16, 3, 1, 0, 0xF4}, Fault::kUnknownVersion},
        {"SOCKS5 greeting without methods", {5, 0}, Fault::kNoMethods},
        {"SOCKS5 request of another version", Concat({kGreetingNoAuth, {4, 1, 0, 1}}), Fault::kMalformed},
        {"SOCKS5 unknown address type", Concat({kGreetingNoAuth, {5, 1, 0, 9, 1, 2}}), Fault::kAddressTypeNotSupported},
        {"SOCKS5 empty name", Concat({kGreetingNoAuth, {5, 1, 0, 3, 0, 0, 80}}), Fault::kMalformed},
        {"SOCKS4 user id without end", Concat({{4, 1, 0, 80, 1, 2, 3, 4}, long_text}), Fault::kMalformed},
        {"SOCKS4a empty name", {4, 1, 0, 80, 0, 0, 0, 9, 0, 0}, Fault::kMalformed},
        {"SOCKS4a name without end", Concat({{4, 1, 0, 80, 0, 0, 0, 9, 0}, long_text}), Fault::kMalformed},
    };
    for (const Case& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, c.bytes.size()}) {
            ClientRequestParser parser;
            const auto fed = FeedInPieces(parser, c.bytes, piece, Event::kRequest);
            ASSERT_FALSE(fed.events.empty()) << c.name;
            EXPECT_EQ(fed.events.back(), Event::kInvalid) << c.name;
            EXPECT_EQ(parser.fault(), c.fault) << c.name;
        }
    }
}

TEST(ClientRequestParser, AcceptsTextsUpToTheLongestTheFormatsAllow) {
    const Bytes longest(kMaxText, 'a');
    ClientRequestParser socks4a;
    const Bytes request = Concat({{4, 1, 0, 80, 0, 0, 0, 1}, longest, {0}, longest, {0}});
    EXPECT_EQ(FeedInPieces(socks4a, request, request.size(), Event::kRequest).events,
              std::vector<Event>{Event::kRequest});
    EXPECT_EQ(socks4a.destination().host, (std::variant<Ipv4, Ipv6, std::string>{std::string(kMaxText, 'a')}));
}

TEST(ClientRequestParser, WaitsForMoreOnEveryPrefixOfARequest) {
    for (const ValidCase& c : kValidCases) {
        for (std::size_t size = 0; size < c.bytes.size(); ++size) {
            ClientRequestParser parser;
            const auto fed = FeedInPieces(parser, std::span(c.bytes).first(size), 1, Event::kRequest);
            EXPECT_TRUE(fed.events.empty() || fed.events == std::vector<Event>{Event::kGreeting})
                << c.name << ", " << size << " bytes";
        }
    }
}

}  // namespace
}  // namespace warden::socks
