#include "update/http_get.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_download_files.h"
#include "fakes/fake_http_client.h"
#include "fakes/fake_stall_timer.h"
#include "fakes/fake_worker_threads.h"

namespace {

const std::string kFile = "C:\\data\\x.bin";

class THTTPGetTest : public testing::Test {
  protected:
    THTTPGetTest() {
        http->replies["/x.bin"] = FakeReply::Of(std::string(3000, 'x'), 1025);
        get = MakeComponent();
    }

    std::unique_ptr<THTTPGet> MakeComponent() {
        auto component = std::make_unique<THTTPGet>(DownloadPorts{http, files, threads, stallTimer});
        component->URL = "http://127.0.0.40/x.bin";
        component->FileName = kFile;
        component->OnProgress = [this](std::int32_t total, std::int32_t readed) {
            events.push_back("progress " + std::to_string(readed) + "/" + std::to_string(total));
        };
        component->OnDoneFile = [this](const std::string& file, std::int32_t size) {
            events.push_back("done " + file + " " + std::to_string(size));
        };
        component->OnError = [this] { events.push_back("error"); };
        return component;
    }

    std::shared_ptr<FakeHttpClient> http = std::make_shared<FakeHttpClient>();
    std::shared_ptr<FakeDownloadFiles> files = std::make_shared<FakeDownloadFiles>();
    FakeWorkerThreads threads;
    FakeStallTimer stallTimer;
    std::vector<std::string> events;
    std::unique_ptr<THTTPGet> get;
};

TEST_F(THTTPGetTest, ReportsProgressInOrderThenDoneOnceAndIsIdleAgain) {
    get->StartFileDownload();
    EXPECT_TRUE(get->Downloading());
    EXPECT_TRUE(events.empty());  // nothing happens until the worker runs

    threads.RunWorker();

    EXPECT_EQ(events, (std::vector<std::string>{"progress 1025/3000", "progress 2050/3000", "progress 3000/3000",
                                                "done " + kFile + " 3000"}));
    EXPECT_FALSE(get->Downloading());
    EXPECT_EQ(files->files[kFile], std::string(3000, 'x'));
}

TEST_F(THTTPGetTest, AFailedDownloadRaisesOnlyOnError) {
    http->replies["/x.bin"].contentLength.reset();
    get->StartFileDownload();
    threads.RunWorker();
    EXPECT_EQ(events, std::vector<std::string>{"error"});
    EXPECT_FALSE(get->Downloading());
}

TEST_F(THTTPGetTest, AWorkerThatCannotStartEndsInOnErrorAndLeavesTheComponentIdle) {
    threads.failsToStart = true;
    get->StartFileDownload();
    EXPECT_EQ(events, std::vector<std::string>{"error"});
    EXPECT_FALSE(get->Downloading());
}

TEST_F(THTTPGetTest, ASecondStartDuringADownloadStartsNoSecondWorker) {
    get->StartFileDownload();
    get->StartFileDownload();
    EXPECT_EQ(threads.started, 1);
    threads.RunWorker();
    EXPECT_FALSE(threads.HasPending());
    EXPECT_EQ(http->requests.size(), 1u);
}

TEST_F(THTTPGetTest, TheWorkerKeepsTheSettingsOfItsStart) {
    get->StartFileDownload();
    get->URL = "http://127.0.0.40/other";
    get->FileName = "C:\\other";
    threads.RunWorker();
    ASSERT_EQ(http->requests.size(), 1u);
    EXPECT_EQ(http->requests[0].path, "/x.bin");
    EXPECT_EQ(events.back(), "done " + kFile + " 3000");
}

TEST_F(THTTPGetTest, AStopMidTransferEndsInOnErrorAndLeavesThePartialFile) {
    http->onRead = [this](int read) {
        if (read == 2)
            get->StopDownload();  // the GUI thread's call, arriving while the worker reads
    };
    get->StartFileDownload();
    threads.RunWorker();

    EXPECT_EQ(events, (std::vector<std::string>{"progress 1025/3000", "progress 2050/3000", "error"}));
    EXPECT_EQ(files->files[kFile], std::string(2050, 'x'));
}

TEST_F(THTTPGetTest, AStopAfterTheLastCheckStillEndsInOnError) {
    http->onRead = [this](int read) {
        if (read == 4)  // the read that finds the body's end
            get->StopDownload();
    };
    get->StartFileDownload();
    threads.RunWorker();
    EXPECT_EQ(events.back(), "error");
}

TEST_F(THTTPGetTest, DestroyingTheComponentDuringADownloadRaisesNothing) {
    // Destroyed before the worker ran, and destroyed by a progress handler mid-transfer.
    get->StartFileDownload();
    get.reset();
    threads.RunWorker();
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(http->requests.empty());  // the worker stopped at its first check

    get = MakeComponent();
    get->OnProgress = [this](std::int32_t, std::int32_t) {
        events.push_back("progress");
        get.reset();
    };
    get->StartFileDownload();
    threads.RunWorker();
    EXPECT_EQ(events, std::vector<std::string>{"progress"});
}

TEST_F(THTTPGetTest, AHandlerMayStartTheNextDownload) {
    http->replies["/next.bin"] = FakeReply::Of("next");
    get->OnDoneFile = [this](const std::string& file, std::int32_t) {
        events.push_back("done " + file);
        if (file == kFile) {
            get->URL = "http://127.0.0.40/next.bin";
            get->FileName = "C:\\data\\next.bin";
            get->StartFileDownload();
        }
    };
    get->OnProgress = nullptr;
    get->StartFileDownload();
    threads.RunWorker();
    threads.RunWorker();
    EXPECT_EQ(events, (std::vector<std::string>{"done " + kFile, "done C:\\data\\next.bin"}));
    EXPECT_EQ(files->files["C:\\data\\next.bin"], "next");
}

// A server that sends a byte now and then keeps every read within the connection's time-out, and
// the download would never end: sixty seconds without a piece fail it at once, like any failure.
TEST_F(THTTPGetTest, ADownloadThatBringsNoPieceForTheStallTimeOutFailsAtOnce) {
    using namespace std::chrono_literals;
    http->onRead = [this](int read) {
        if (read == 2)
            stallTimer.GoOff();  // the GUI thread's alarm, while the worker waits in its read
    };
    get->StartFileDownload();
    EXPECT_TRUE(stallTimer.running);
    EXPECT_EQ(stallTimer.limit, 60s);
    threads.RunWorker();
    EXPECT_EQ(events, (std::vector<std::string>{"progress 1025/3000", "error"}))
        << "the worker's later pieces and its end reach no one";
    EXPECT_FALSE(get->Downloading());
    EXPECT_EQ(stallTimer.starts, 2) << "started with the download, again at its one piece";

    // A download that stalls before it brings anything; then one that ends stops the alarm.
    events.clear();
    http->onRead = nullptr;
    get->StartFileDownload();
    stallTimer.GoOff();
    EXPECT_EQ(events, std::vector<std::string>{"error"});
    threads.RunWorker();
    EXPECT_EQ(events, std::vector<std::string>{"error"});
    get->StartFileDownload();
    threads.RunWorker();
    EXPECT_FALSE(stallTimer.running);
    get->StartFileDownload();
    get.reset();
    EXPECT_FALSE(stallTimer.running) << "destroyed";
}

}  // namespace
