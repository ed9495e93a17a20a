#include "warden/socks/messages.h"

#include <gtest/gtest.h>

#include "socks_test_support.h"

namespace warden::socks {
namespace {

TEST(Messages, GreetsTheNodeOfferingNoAuthAndUserPassword) {
    EXPECT_EQ(NodeGreeting(), (Bytes{5, 2, 0, 2}));
}

TEST(Messages, AuthRequestCarriesUserAndPasswordWithTheirLengths) {
    EXPECT_EQ(AuthRequest("ab", "xyz"), (Bytes{1, 2, 'a', 'b', 3, 'x', 'y', 'z'}));
    EXPECT_EQ(AuthRequest("", ""), (Bytes{1, 0, 0}));
    EXPECT_EQ(AuthRequest(std::string(255, 'u'), "").size(), 1 + 1 + 255 + 1U);
}

TEST(Messages, ConnectRequestPassesNamesOnUnresolved) {
    EXPECT_EQ(ConnectRequest({std::string("example.org"), 443}),
              Concat({{5, 1, 0, 3, 11}, Text("example.org"), {0x01, 0xBB}}));
    EXPECT_EQ(ConnectRequest({Ipv4{10, 0, 0, 1}, 80}), (Bytes{5, 1, 0, 1, 10, 0, 0, 1, 0, 80}));
    EXPECT_EQ(ConnectRequest({Ipv6{0xFE, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9}, 8080}),
              Concat({{5, 1, 0, 4, 0xFE, 0x80}, Bytes(13, 0), {9, 0x1F, 0x90}}));
}

TEST(Messages, BindRequestAsksForAPortOpenToAnyone) {
    EXPECT_EQ(BindRequest(), (Bytes{5, 2, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(Messages, ConnectRequestReadsBackAsTheSameDestination) {
    const Destination destinations[] = {{Ipv4{1, 2, 3, 4}, 1},
                                        {Ipv6{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 65535},
                                        {std::string(255, 'n'), 80}};
    for (const Destination& destination : destinations) {
        ClientRequestParser parser;
        const Bytes request = Concat({{5, 1, 0}, ConnectRequest(destination)});
        const auto fed = FeedInPieces(parser, request, request.size(), ClientRequestParser::Event::kRequest);
        ASSERT_EQ(fed.events.back(), ClientRequestParser::Event::kRequest);
        EXPECT_EQ(parser.destination(), destination);
    }
}

TEST(Messages, AnswersEachProgramInItsOwnProtocol) {
    EXPECT_EQ(ClientReply(Protocol::kSocks5, Reply::kSucceeded), (Bytes{5, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ClientReply(Protocol::kSocks5, Reply::kConnectionRefused), (Bytes{5, 5, 0, 1, 0, 0, 0, 0, 0, 0}));
    for (const Protocol protocol : {Protocol::kSocks4, Protocol::kSocks4a}) {
        EXPECT_EQ(ClientReply(protocol, Reply::kSucceeded), (Bytes{0, 90, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(ClientReply(protocol, Reply::kHostUnreachable), (Bytes{0, 91, 0, 0, 0, 0, 0, 0}));
    }
}

TEST(Messages, RejectsEachFaultAsItsProtocolExpects) {
    using Fault = ClientRequestParser::Fault;
    EXPECT_EQ(Rejection(Protocol::kSocks5, Fault::kNoMethods), (Bytes{5, 0xFF}));
    EXPECT_EQ(Rejection(Protocol::kSocks5, Fault::kAddressTypeNotSupported),
              ClientReply(Protocol::kSocks5, Reply::kAddressTypeNotSupported));
    EXPECT_EQ(Rejection(Protocol::kSocks5, Fault::kMalformed), ClientReply(Protocol::kSocks5, Reply::kGeneralFailure));
    EXPECT_EQ(Rejection(Protocol::kSocks4a, Fault::kMalformed), (Bytes{0, 91, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Rejection(Protocol::kSocks5, Fault::kUnknownVersion).empty());
}

}  // namespace
}  // namespace warden::socks
