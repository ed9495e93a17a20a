#include "update/download_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <vector>

#include "fakes/fake_download_files.h"
#include "fakes/fake_http_client.h"

namespace {

using namespace std::chrono_literals;
using Progress = std::vector<std::pair<std::int32_t, std::int32_t>>;

const std::string kPath = "/download/masqng.exe";
const std::string kFile = "C:\\data\\masqng-update.exe";

std::string Body(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        body[i] = char('a' + i % 26);
    return body;
}

class RunDownloadTest : public testing::Test {
  protected:
    DownloadResult Run() {
        return RunDownload({"*/*", "Agent/1", "http://127.0.0.40" + kPath, kFile, 30s}, http, files, stop,
                           [this](std::int32_t total, std::int32_t readed) {
                               progress.push_back({total, readed});
                           });
    }

    FakeHttpClient http;
    FakeDownloadFiles files;
    std::atomic<bool> stop{false};
    Progress progress;
};

TEST_F(RunDownloadTest, WritesTheBodyInPiecesOfAtMost1025BytesAndReportsEachInOrder) {
    const std::string body = Body(2600);
    http.replies[kPath] = FakeReply::Of(body, 700);

    const DownloadResult result = Run();

    EXPECT_TRUE(result.success);
    EXPECT_EQ(result.totalSize, 2600);
    EXPECT_EQ(result.readed, 2600);
    EXPECT_EQ(files.files[kFile], body);
    // The network hands over what it has: 700, then the rest of each piece, never over 1025.
    EXPECT_EQ(progress, (Progress{{2600, 700}, {2600, 1400}, {2600, 2100}, {2600, 2600}}));
    for (std::size_t size : http.readSizes)
        EXPECT_LE(size, kDownloadChunkSize);

    ASSERT_EQ(http.requests.size(), 1u);
    const HttpGet& request = http.requests[0];
    EXPECT_EQ(request.host, "127.0.0.40");
    EXPECT_EQ(request.path, kPath);
    EXPECT_EQ(request.agent, "Agent/1");
    EXPECT_EQ(request.acceptTypes, "*/*");
    EXPECT_EQ(request.timeout, 30s);
}

TEST_F(RunDownloadTest, AnEmptyAnnouncedBodyIsAnEmptyFileWithoutProgress) {
    http.replies[kPath] = FakeReply::Of("");
    EXPECT_TRUE(Run().success);
    EXPECT_EQ(files.files.at(kFile), "");
    EXPECT_TRUE(progress.empty());
}

TEST_F(RunDownloadTest, WithoutAUsableContentLengthOrWithAnErrorStatusNothingIsWritten) {
    const struct {
        const char* name;
        std::optional<std::string> contentLength;
        int status;
    } cases[] = {
        {"no Content-Length", std::nullopt, 200},
        {"not a number", "12abc", 200},
        {"beyond an Integer", "4294967296", 200},
        {"not found", "9", 404},
        {"server error", "9", 500},
    };
    for (const auto& c : cases) {
        files.files.clear();
        FakeReply reply = FakeReply::Of("some body");
        reply.contentLength = c.contentLength;
        reply.status = c.status;
        http.replies[kPath] = reply;

        EXPECT_FALSE(Run().success) << c.name;
        EXPECT_TRUE(files.files.empty()) << c.name;
    }
    EXPECT_TRUE(progress.empty());
}

TEST_F(RunDownloadTest, ABodyShorterThanAnnouncedFailsAndLeavesWhatCame) {
    const std::string body = Body(3000);
    for (bool brokenConnection : {false, true}) {
        FakeReply reply = FakeReply::Of(body.substr(0, 2000), 1025);
        reply.contentLength = "3000";
        reply.failsAfterPieces = brokenConnection;
        http.replies[kPath] = reply;

        const DownloadResult result = Run();
        EXPECT_FALSE(result.success) << brokenConnection;
        EXPECT_EQ(result.readed, 2000);
        EXPECT_EQ(files.files[kFile], body.substr(0, 2000));
    }
}

TEST_F(RunDownloadTest, ABodyLongerThanAnnouncedFailsWithNothingWrittenPastTheAnnouncedLength) {
    const std::string body = Body(3000);
    FakeReply reply = FakeReply::Of(body, 4096);  // one piece holding more than announced
    reply.contentLength = "2000";
    http.replies[kPath] = reply;

    const DownloadResult result = Run();

    EXPECT_FALSE(result.success);
    EXPECT_EQ(result.readed, 2000);
    EXPECT_EQ(files.files[kFile], body.substr(0, 2000));
    EXPECT_EQ(progress.back(), std::make_pair(2000, 2000));
}

TEST_F(RunDownloadTest, AFileThatCannotBeCreatedOrWrittenFails) {
    http.replies[kPath] = FakeReply::Of(Body(3000), 1025);
    files.createFails = true;
    EXPECT_FALSE(Run().success);
    EXPECT_TRUE(files.files.empty());

    files.createFails = false;
    files.diskSpace = 1025;
    const DownloadResult result = Run();
    EXPECT_FALSE(result.success);
    EXPECT_EQ(files.files[kFile].size(), 1025u);
}

TEST_F(RunDownloadTest, NoConnectionOrAnUnusableUrlFails) {
    FakeReply unreachable;
    unreachable.sent = false;
    http.replies[kPath] = unreachable;
    EXPECT_FALSE(Run().success);

    const DownloadResult noHost = RunDownload({"*/*", "a", "http://no-path", kFile, 30s}, http, files, stop, {});
    EXPECT_FALSE(noHost.success);
    EXPECT_EQ(http.requests.size(), 1u);  // the second one was never sent
    EXPECT_TRUE(files.files.empty());
}

TEST_F(RunDownloadTest, AStopIsHonouredAtEachCheck) {
    const std::string body = Body(3000);
    http.replies[kPath] = FakeReply::Of(body, 1025);

    stop = true;  // before connecting
    EXPECT_FALSE(Run().success);
    EXPECT_TRUE(http.requests.empty());
    stop = false;

    http.onSend = [&] { stop = true; };  // after sending
    EXPECT_FALSE(Run().success);
    EXPECT_TRUE(files.files.empty());
    http.onSend = nullptr;
    stop = false;

    http.onHeaders = [&] { stop = true; };  // after reading the headers
    EXPECT_FALSE(Run().success);
    EXPECT_TRUE(files.files.empty());
    http.onHeaders = nullptr;
    stop = false;

    // Mid-transfer: the piece being read is still written, then the check before the next read
    // ends the download and leaves the partial file.
    http.onRead = [&](int read) { stop = stop || read == 2; };
    const DownloadResult stopped = Run();
    EXPECT_FALSE(stopped.success);
    EXPECT_EQ(files.files[kFile], body.substr(0, 2050));
    EXPECT_EQ(progress.back(), std::make_pair(3000, 2050));
}

}  // namespace
