#include "update/update_logic.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_download_files.h"
#include "fakes/fake_http_client.h"
#include "fakes/fake_makers_crypto.h"
#include "fakes/fake_installer_launcher.h"
#include "fakes/fake_stall_timer.h"
#include "fakes/fake_worker_threads.h"
#include "update/update_texts.h"

namespace {

const std::string kData = "C:\\users\\u\\AppData\\Roaming\\Masq NG\\";
const std::string kInstaller = kData + "masqng-update.exe";
const std::string kSignature = kInstaller + ".sig";
const std::string kSetup(2500, 's');

class RecordingUpdateView final : public UpdateView {
  public:
    std::vector<std::string> calls;
    void SetProgress(std::int32_t position, std::int32_t maximum) override {
        calls.push_back("progress " + std::to_string(position) + "/" + std::to_string(maximum));
    }
    void ShowError(const std::string& text) override { calls.push_back("error box: " + text); }
    void AllowDismiss() override { calls.push_back("close button"); }
    void CloseDialog(UpdateOutcome outcome) override {
        calls.push_back(outcome == UpdateOutcome::kInstallerStarted ? "end: started" : "end: dismissed");
    }
};

class UpdateLogicTest : public testing::Test {
  protected:
    UpdateLogicTest() {
        http->replies["/download/masqng.exe"] = FakeReply::Of(kSetup, 1025);
        http->replies["/download/masqng.exe.sig"] = FakeReply::Of(FakeMakersCrypto::Sign(kSetup));
    }
    std::unique_ptr<UpdateLogic> Make(std::string expectedSha256 = {}) {
        auto logic = std::make_unique<UpdateLogic>(
            UpdateOffer{"C:\\skin.skn", kData, "127.0.0.40", std::move(expectedSha256)},
            UpdatePorts{{http, files, threads, stallTimer},
                        crypto,
                        launcher,
                        [this] { view.calls.push_back("close main form"); }});
        logic->AttachView(view);
        return logic;
    }
    void RunDownloads(UpdateLogic& logic) {
        logic.FormShow();
        while (threads.HasPending())
            threads.RunWorker();
    }

    std::shared_ptr<FakeHttpClient> http = std::make_shared<FakeHttpClient>();
    std::shared_ptr<FakeDownloadFiles> files = std::make_shared<FakeDownloadFiles>();
    FakeWorkerThreads threads;
    FakeStallTimer stallTimer;
    FakeMakersCrypto crypto{*files};
    FakeInstallerLauncher launcher;
    RecordingUpdateView view;
};

TEST_F(UpdateLogicTest, AGenuineInstallerRunsAndTheMainFormCloses) {
    auto logic = Make();
    RunDownloads(*logic);

    ASSERT_EQ(http->requests.size(), 2u);
    EXPECT_EQ(http->requests[0].path, "/download/masqng.exe.sig");
    EXPECT_EQ(http->requests[1].path, "/download/masqng.exe");
    for (const HttpGet& request : http->requests) {
        EXPECT_EQ(request.host, "127.0.0.40");
        EXPECT_EQ(request.agent, "Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)");
        EXPECT_EQ(request.acceptTypes, "*/*");
    }
    // Only the installer moves the bar; the installer starts before the main form closes.
    EXPECT_EQ(view.calls, (std::vector<std::string>{"progress 1025/2500", "progress 2050/2500", "progress 2500/2500",
                                                    "close main form", "end: started"}));
    EXPECT_EQ(launcher.started, std::vector<std::string>{kInstaller});
    EXPECT_EQ(files->files[kInstaller], kSetup);
    EXPECT_FALSE(files->Has(kSignature));  // no use once checked
}

TEST_F(UpdateLogicTest, TheRepliesSha256MustMatchWhenGiven) {
    auto matching = Make(FakeMakersCrypto::HexDigestOf(kSetup));
    RunDownloads(*matching);
    EXPECT_EQ(launcher.started.size(), 1u);

    auto other = Make(FakeMakersCrypto::HexDigestOf("an older installer"));
    RunDownloads(*other);
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(view.calls.back(), std::string("error box: ") + update_text::kFailedVerification);
}

TEST_F(UpdateLogicTest, AChangedInstallerIsNotRunButDeletedAndTheUserIsTold) {
    std::string changed = kSetup;
    changed[1000] = 'X';
    http->replies["/download/masqng.exe"] = FakeReply::Of(changed, 1025);
    auto logic = Make();
    RunDownloads(*logic);

    EXPECT_TRUE(launcher.started.empty());
    EXPECT_FALSE(files->Has(kInstaller));
    EXPECT_FALSE(files->Has(kSignature));
    EXPECT_EQ(
        std::vector<std::string>(view.calls.end() - 2, view.calls.end()),
        (std::vector<std::string>{"close button", std::string("error box: ") + update_text::kFailedVerification}));

    logic->btnCloseClick();
    EXPECT_EQ(view.calls.back(), "end: dismissed");
}

TEST_F(UpdateLogicTest, ADownloadFailureShowsTheErrorAndKeepsTheDialogUntilDismissed) {
    const struct {
        const char* name;
        const char* path;
        bool withoutLength;
    } cases[] = {
        {"installer without Content-Length", "/download/masqng.exe", true},
        {"signature missing", "/download/masqng.exe.sig", false},
    };
    for (const auto& c : cases) {
        view.calls.clear();
        files->files.clear();
        auto saved = http->replies;
        if (c.withoutLength)
            http->replies[c.path].contentLength.reset();
        else
            http->replies.erase(c.path);

        auto logic = Make();
        logic->FormShow();
        logic->btnCloseClick();  // no way out while the download runs
        while (threads.HasPending())
            threads.RunWorker();

        EXPECT_EQ(view.calls, (std::vector<std::string>{"close button", "error box: Error when download new version!"}))
            << c.name;
        EXPECT_FALSE(files->Has(kInstaller)) << c.name;  // nothing written, nothing run
        EXPECT_TRUE(launcher.started.empty()) << c.name;
        logic->btnCloseClick();
        EXPECT_EQ(view.calls.back(), "end: dismissed") << c.name;
        http->replies = saved;
    }
}

// A server that trickles the installer a byte now and then: the download ends as a failure.
TEST_F(UpdateLogicTest, AStalledDownloadShowsTheErrorAndKeepsTheDialogUntilDismissed) {
    auto logic = Make();
    logic->FormShow();
    threads.RunWorker();  // the signature
    stallTimer.GoOff();   // no piece of the installer for a minute
    EXPECT_EQ(view.calls, (std::vector<std::string>{"close button", "error box: Error when download new version!"}));
    threads.RunWorker();  // the worker ends by itself later: nothing more happens
    EXPECT_TRUE(launcher.started.empty());
    logic->btnCloseClick();
    EXPECT_EQ(view.calls.back(), "end: dismissed");
}

TEST_F(UpdateLogicTest, AnInstallerThatDoesNotStartKeepsTheProgramRunning) {
    launcher.fails = true;
    auto logic = Make();
    RunDownloads(*logic);
    EXPECT_EQ(view.calls.back(), "error box: Error when download new version!");
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "close main form"), 0);
}

// The form detaches from the logic on its way out, before its controls go; or the logic goes.
TEST_F(UpdateLogicTest, ClosingTheDialogDuringTheDownloadStopsItSilently) {
    const struct {
        const char* name;
        void (*close)(std::unique_ptr<UpdateLogic>& logic);
    } cases[] = {
        {"the form goes", [](std::unique_ptr<UpdateLogic>& logic) { logic->DetachView(); }},
        {"the logic goes", [](std::unique_ptr<UpdateLogic>& logic) { logic.reset(); }},
    };
    for (const auto& c : cases) {
        auto logic = Make();
        logic->FormShow();
        threads.RunWorker();  // the signature
        c.close(logic);       // while the installer downloads
        threads.RunWorker();
        EXPECT_TRUE(view.calls.empty()) << c.name;
        EXPECT_FALSE(files->Has(kInstaller)) << c.name;  // stopped at its first check
    }
}

}  // namespace
