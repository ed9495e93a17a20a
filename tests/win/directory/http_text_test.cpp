// WinInet's GET for real, against a server of the test's own on loopback: what is sent, what
// comes back, and how long a host that misbehaves can hold the program.
#include "directory/http_text_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/win/directory/loopback_http_server.h"

using ::testing::HasSubstr;
using namespace std::chrono_literals;

namespace {

using Server = LoopbackHttpServer;

TextRequest Request(std::size_t maxBytes = 4096) {
    return {kTestServerHost,
            "/update-ng.php?id=1&i=0",
            "Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)",
            1000ms,
            3000ms,
            maxBytes};
}

// How long `get` took, in milliseconds.
template <typename Get>
ULONGLONG Timed(Get get) {
    const ULONGLONG started = GetTickCount64();
    get();
    return GetTickCount64() - started;
}

TEST(WinHttpText, SendsAFreshHttp10GetAndReturnsTheBodyWhateverTheStatus) {
    {
        Server server(Server::Behaviour::kAnswer, Server::Ok("B=1\r\nE=1\r\n"));
        ASSERT_TRUE(server.Listening());
        EXPECT_EQ(WinHttpText().GetText(Request()), "B=1\r\nE=1\r\n");
        ASSERT_EQ(server.Requests().size(), 1u);
        const std::string sent = server.Requests()[0] + "\r\n";
        EXPECT_EQ(sent.substr(0, sent.find("\r\n")), "GET /update-ng.php?id=1&i=0 HTTP/1.0");
        EXPECT_THAT(sent, HasSubstr("\r\nUser-Agent: Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)\r\n"));
        EXPECT_THAT(sent, HasSubstr("\r\nAccept: */*\r\n"));
    }
    Server notFound(Server::Behaviour::kAnswer, Server::Ok("<h1>Not Found</h1>", "404 Not Found"));
    EXPECT_EQ(WinHttpText().GetText(Request()), "<h1>Not Found</h1>");
}

TEST(WinHttpText, FailsWithoutAServerOrForABodyBeyondItsLimit) {
    EXPECT_EQ(WinHttpText().GetText(Request()), std::nullopt);  // nothing listens
    Server server(Server::Behaviour::kAnswer, Server::Ok(std::string(5000, 'x')));
    EXPECT_EQ(WinHttpText().GetText(Request(4999)), std::nullopt);
    EXPECT_EQ(WinHttpText().GetText(Request(5000)), std::string(5000, 'x'));
}

// WinInet alone would wait for ever on both.
TEST(WinHttpText, ASilentServerCostsTheWaitLimit) {
    Server silent(Server::Behaviour::kSilent);
    std::optional<std::string> body;
    const ULONGLONG took = Timed([&] { body = WinHttpText().GetText(Request()); });
    EXPECT_EQ(body, std::nullopt);
    EXPECT_LT(took, 10'000u);
}

TEST(WinHttpText, ATricklingServerCostsTheTimeLimit) {
    Server trickle(Server::Behaviour::kTrickle);
    std::optional<std::string> body;
    const ULONGLONG took = Timed([&] { body = WinHttpText().GetText(Request()); });
    EXPECT_GE(took, 2900u);
    EXPECT_LT(took, 10'000u);
    ASSERT_TRUE(body);
    EXPECT_THAT(*body, HasSubstr("xxx"));  // what came in time
}

}  // namespace
