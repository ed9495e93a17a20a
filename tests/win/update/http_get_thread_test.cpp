// THTTPGet with its real worker thread, WinInet, files and stall alarm: every event on the GUI
// thread, a stop honoured at the worker's next check, a component destroyed mid-download hearing
// nothing, and a server that trickles a byte now and then failing the download.
#include "update/http_get.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"
#include "tests/download_site/site_folder.h"
#include "update/download_files_win.h"
#include "update/stall_timer_win.h"
#include "update/wininet_http_client_win.h"
#include "update/worker_threads_win.h"
#include "win/settings/scratch_folder.h"

namespace {

using namespace std::chrono_literals;

// Runs this thread's message loop (which is where the worker's calls arrive) until `done`.
template <typename Condition>
bool PumpUntil(Condition done, std::chrono::milliseconds timeout = 60s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// True once the worker has closed the file (it is opened without sharing writes until then).
bool Closed(const std::string& path) {
    return bool(UniqueFile(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)));
}

class THTTPGetThreadTest : public testing::Test {
  protected:
    THTTPGetThreadTest() : get(std::make_unique<THTTPGet>(DownloadPorts{http, files, threads, stallTimer})) {
        get->FileName = file;
        get->OnProgress = [this](std::int32_t total, std::int32_t readed) {
            progress.push_back(readed);
            progressTotal = total;
            if (GetCurrentThreadId() != guiThread)
                offThread = true;
        };
        get->OnDoneFile = [this](const std::string&, std::int32_t) { ++done; };
        get->OnError = [this] {
            ++errors;
            if (GetCurrentThreadId() != guiThread)
                offThread = true;
        };
    }
    void Start(const std::string& path) {
        get->URL = "http://" + site.Host() + path;
        get->StartFileDownload();
    }

    SiteFolder site{DOWNLOAD_SITE_ROOT};
    ScratchFolder scratch;
    const std::string file = scratch.Path("masqng-update.exe");
    const DWORD guiThread = GetCurrentThreadId();
    std::shared_ptr<WinInetHttpClient> http = std::make_shared<WinInetHttpClient>();
    std::shared_ptr<WinDownloadFiles> files = std::make_shared<WinDownloadFiles>();
    WinWorkerThreads threads;
    WinStallTimer stallTimer;
    std::unique_ptr<THTTPGet> get;

    std::vector<std::int32_t> progress;
    std::int32_t progressTotal = 0;
    int done = 0, errors = 0;
    bool offThread = false;
};

TEST_F(THTTPGetThreadTest, ProgressThenDoneArriveOnTheGuiThreadInOrder) {
    const std::string body(20000, 'b');
    site.Serve("/thread/trickle.bin", body, "trickle 4000 0.05");
    Start("/thread/trickle.bin");

    ASSERT_TRUE(PumpUntil([&] { return done + errors > 0; }));
    EXPECT_EQ(done, 1);
    EXPECT_EQ(errors, 0);
    EXPECT_FALSE(offThread);
    EXPECT_EQ(progressTotal, 20000);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 20000);
    EXPECT_EQ(FileBytes(file), body);
}

TEST_F(THTTPGetThreadTest, ALongerBodyNeverGrowsTheFilePastTheAnnouncedLength) {
    // WinInet under Wine at times hands over bytes past the Content-Length; at other times it
    // drops them. The file holds exactly the announced bytes either way.
    const std::string body(3000, 'l');
    site.Serve("/thread/long.bin", body, "long 5000");
    Start("/thread/long.bin");
    ASSERT_TRUE(PumpUntil([&] { return done + errors > 0; }));
    EXPECT_EQ(done + errors, 1);
    EXPECT_EQ(FileBytes(file), body);
}

TEST_F(THTTPGetThreadTest, AStopMidTransferEndsInOnErrorAndLeavesThePartialFile) {
    site.Serve("/thread/held.bin", std::string(10000, 'h'), "hold 3075");
    Start("/thread/held.bin");
    ASSERT_TRUE(PumpUntil([&] { return !progress.empty() && progress.back() == 3075; }));

    // The worker is at its check before the fourth read, or already waiting in that read, which
    // WinInet returns only once it is full.
    get->StopDownload();
    site.Release("/thread/held.bin");
    ASSERT_TRUE(PumpUntil([&] { return errors > 0; }));
    EXPECT_EQ(done, 0);
    EXPECT_FALSE(offThread);
    // A piece it was reading is still written; then its check before the next read stops it.
    const std::string partial = FileBytes(file).value_or("");
    EXPECT_TRUE(partial == std::string(3075, 'h') || partial == std::string(4100, 'h')) << partial.size();
}

TEST_F(THTTPGetThreadTest, DestroyingTheComponentMidDownloadRaisesNothing) {
    site.Serve("/thread/destroyed.bin", std::string(10000, 'd'), "hold 3075");
    Start("/thread/destroyed.bin");
    ASSERT_TRUE(PumpUntil([&] { return !progress.empty() && progress.back() == 3075; }));

    get.reset();
    site.Release("/thread/destroyed.bin");
    // The worker ends at its next check and closes the file; its last calls find no one.
    ASSERT_TRUE(PumpUntil([&] { return Closed(file); }));
    PumpUntil([] { return false; }, 500ms);
    EXPECT_EQ(progress.back(), 3075);
    EXPECT_EQ(done + errors, 0);
}

// Each byte comes well within the connection's time-out, so WinInet waits on; a piece never
// fills. The alarm fails the download on the GUI thread while the worker still waits in its read.
TEST_F(THTTPGetThreadTest, ATricklingServerThatBringsNoPieceWithinTheStallTimeOutFailsTheDownload) {
    site.Serve("/thread/drip.bin", std::string(4000, 'd'), "drip 0.2");
    get->StallTimeOut = 2s;
    Start("/thread/drip.bin");
    ASSERT_TRUE(PumpUntil([&] { return errors > 0; }));
    EXPECT_EQ(done, 0);
    EXPECT_TRUE(progress.empty());
    EXPECT_FALSE(offThread);
    EXPECT_FALSE(get->Downloading());

    // The worker ends by itself once its read returns; nothing of it reaches the component.
    site.Release("/thread/drip.bin");
    ASSERT_TRUE(PumpUntil([&] { return Closed(file); }));
    PumpUntil([] { return false; }, 500ms);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(done, 0);
}

}  // namespace
