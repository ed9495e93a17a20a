// URLDownloadToFileA for real, against a server of the test's own on loopback: the text, the
// file that never outlives the call, and the watchdog that ends a download of a silent server.
#include "directory/fallback_download_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "tests/win/directory/loopback_http_server.h"
#include "tests/win/settings/scratch_folder.h"

using namespace std::chrono_literals;

namespace {

using Server = LoopbackHttpServer;

class WinFallbackDownloadTest : public testing::Test {
  protected:
    std::optional<std::string> Download(std::size_t maxBytes = 4096, std::chrono::milliseconds limit = 2000ms) {
        return WinFallbackDownload().DownloadText(url, file, limit, maxBytes);
    }
    bool FileLeft() const { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

    ScratchFolder scratch;
    const std::string file = scratch.Path("flxdxa.temp");
    const std::string url = std::string("http://") + kTestServerHost + "/update-ng.php?id=1&i=0";
};

TEST_F(WinFallbackDownloadTest, ReturnsTheTextAndDeletesTheFile) {
    Server server(Server::Behaviour::kAnswer, Server::Ok("B=1\nC=0\nE=1"));
    ASSERT_TRUE(server.Listening());
    EXPECT_EQ(Download(), "B=1\nC=0\nE=1");
    EXPECT_FALSE(FileLeft());
    ASSERT_FALSE(server.Requests().empty());
    EXPECT_EQ(server.Requests()[0].rfind("GET /update-ng.php?id=1&i=0 HTTP/1.1", 0), 0u);
}

TEST_F(WinFallbackDownloadTest, TakesTheServersNewestTextNeverTheCache) {
    {
        Server server(Server::Behaviour::kAnswer, Server::Ok("first"));
        EXPECT_EQ(Download(), "first");
    }
    Server server(Server::Behaviour::kAnswer, Server::Ok("second"));
    EXPECT_EQ(Download(), "second");
}

TEST_F(WinFallbackDownloadTest, ATextBeyondTheLimitIsEmptyAndAFailureLeavesNoFile) {
    {
        Server server(Server::Behaviour::kAnswer, Server::Ok(std::string(5000, 'x')));
        EXPECT_EQ(Download(4999), "");
        EXPECT_FALSE(FileLeft());
    }
    EXPECT_EQ(Download(), std::nullopt);  // nothing listens
    EXPECT_FALSE(FileLeft());
}

TEST_F(WinFallbackDownloadTest, ASilentServerIsGivenUpAtTheTimeLimit) {
    Server silent(Server::Behaviour::kSilent);
    const ULONGLONG started = GetTickCount64();
    EXPECT_EQ(Download(4096, 1500ms), std::nullopt);
    const ULONGLONG took = GetTickCount64() - started;
    EXPECT_GE(took, 1400u);
    EXPECT_LT(took, 10'000u);
    EXPECT_FALSE(FileLeft());
}

}  // namespace
