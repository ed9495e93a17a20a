#include "update/wininet_http_client_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/download_site/site_folder.h"

namespace {

using namespace std::chrono_literals;

std::string Body(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = char(i * 7 % 251);
    return body;
}

class WinInetHttpClientTest : public testing::Test {
  protected:
    std::unique_ptr<HttpResponse> Get(const std::string& path, std::chrono::milliseconds timeout = 30s) {
        return http.Send({"Agent/1", site.Host(), path, "*/*", timeout});
    }
    // The whole body, or nullopt when a read failed.
    static std::optional<std::string> ReadAll(HttpResponse& response) {
        std::string body;
        char buffer[1025];
        for (;;) {
            const auto got = response.Read(buffer, sizeof(buffer));
            if (!got)
                return std::nullopt;
            if (*got == 0)
                return body;
            body.append(buffer, *got);
        }
    }

    SiteFolder site{DOWNLOAD_SITE_ROOT};
    WinInetHttpClient http;
};

TEST_F(WinInetHttpClientTest, AnAnnouncedBodyArrivesWithItsStatusAndLength) {
    const std::string body = Body(5000);
    site.Serve("/win/normal.bin", body);
    const std::size_t before = site.Requests("/win/normal.bin").size();

    auto response = Get("/win/normal.bin");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->StatusCode(), 200);
    EXPECT_EQ(response->ContentLength(), "5000");
    EXPECT_EQ(ReadAll(*response), body);
    // HTTP/1.0 with the agent and one Accept header as the server saw them.
    const auto requests = site.Requests("/win/normal.bin");
    ASSERT_EQ(requests.size(), before + 1);
    EXPECT_EQ(requests.back(), "GET /win/normal.bin HTTP/1.0\tUser-Agent: Agent/1\tAccept: */*");
}

TEST_F(WinInetHttpClientTest, ReportsAMissingLengthAndAnErrorStatus) {
    site.Serve("/win/no-length.bin", Body(100), "no-length");
    auto unannounced = Get("/win/no-length.bin");
    ASSERT_TRUE(unannounced);
    EXPECT_EQ(unannounced->ContentLength(), std::nullopt);

    auto missing = Get("/win/missing.bin");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->StatusCode(), 404);
}

TEST_F(WinInetHttpClientTest, AShortBodyEndsWhereTheServerStopped) {
    const std::string body = Body(3000);
    site.Serve("/win/short.bin", body, "short 500");
    auto shorter = Get("/win/short.bin");
    ASSERT_TRUE(shorter);
    EXPECT_EQ(ReadAll(*shorter), body.substr(0, 2500));  // an end, not an error: the caller counts
}

TEST_F(WinInetHttpClientTest, ASilentServerEndsTheRequestAfterTheTimeOut) {
    site.Serve("/win/silent.bin", Body(100), "silent");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Get("/win/silent.bin", 2s), nullptr);

    site.Serve("/win/stalled.bin", Body(5000), "hold 1000");
    auto stalled = Get("/win/stalled.bin", 2s);
    ASSERT_TRUE(stalled);
    EXPECT_EQ(ReadAll(*stalled), std::nullopt);
    site.Release("/win/stalled.bin");
    // Without the time-outs WinInet would still wait here; both came back after about 2 s each.
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
}

TEST_F(WinInetHttpClientTest, NoServerMeansNoResponse) {
    // Nothing listens on this loopback address.
    EXPECT_EQ(http.Send({"Agent/1", "127.0.0.41", "/x", "*/*", 30s}), nullptr);
}

}  // namespace
