// The update dialog as a user meets it, in the update_dialog fixture (ShowUpdateDialog exactly as
// the program calls it) against the download site on 127.0.0.40:80: the installer and its
// signature downloaded with a moving progress bar, the verified installer started and the
// "main form" closed; a changed download refused and deleted; a failed download reported, with
// the dialog open until the user dismisses it; a download that stalls for a minute failing so.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/download_site/site_folder.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

namespace {

using namespace driver;

constexpr char kAgentAndAccept[] = "\tUser-Agent: Mozilla/4.0(compatible; MSIE 7.0;  Windows NT 6.0)\tAccept: */*";
constexpr char kDownloadError[] = "Error when download new version!";
constexpr char kFailedVerification[] = "The downloaded new version failed verification and was deleted!";
constexpr DWORD kInstallerStarted = 1, kDismissed = 2;

std::string Fixture(const char* linuxPath) {
    return ReadFile(WindowsPathOf(linuxPath)).value_or("");
}

class UpdateDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteTree(data_);
        CreateDirectoryA(data_.c_str(), nullptr);
        site_.Serve("/download/masqng.exe.sig", Fixture(FAKE_INSTALLER_EXE ".sig"));
        requestsBefore_ = site_.Requests("/download/").size();
    }
    void TearDown() override { DeleteTree(data_); }

    // The data folder has a blank in its name, as the user's "Masq NG" folder does.
    std::string Data(const std::string& name) const { return data_ + "\\" + name; }

    std::unique_ptr<Program> Start(const std::string& expectedSha256 = {}) {
        std::string command = "\"";
        command.append(WindowsPathOf(UPDATE_DIALOG_EXE)).append("\" ").append(site_.Host());
        command.append(" \"").append(data_).append("\" ").append(expectedSha256);
        auto program = std::make_unique<Program>(command);
        dialog_ = WaitForTopLevel(program->Id(), "Update");
        return program;
    }
    HWND ProgressBar() const {
        auto bars = ChildrenOfClass(dialog_, "MasqProgressBar");
        return bars.empty() ? nullptr : bars.front();
    }
    // The plain system message box over the dialog, once it shows `text`.
    HWND WaitForErrorBox(const Program& program,
                         const char* text,
                         std::chrono::milliseconds timeout = kUiTimeout) const {
        HWND box = nullptr;
        const bool shown = WaitUntil(
            [&] {
                box = FindTopLevel(program.Id(), "Masq NG", "#32770");
                return box && FindChild(box, "Static", text);
            },
            timeout);
        return shown ? box : nullptr;
    }
    // The user's way out after a failure: OK on the error box, then the dialog's "&Close".
    void DismissErrorThenClose(Program& program, HWND box) const {
        Click(FindChild(box, "Button", "OK"));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
        HWND close = FindChild(dialog_, "Button", "&Close");
        ASSERT_TRUE(close);
        Click(close);
        EXPECT_EQ(program.WaitForExit(kUiTimeout), kDismissed);
    }

    const std::string data_ = AppDataFolder() + "Masq NG update e2e";
    SiteFolder site_{DOWNLOAD_SITE_ROOT};
    HWND dialog_ = nullptr;
    std::size_t requestsBefore_ = 0;
};

TEST_F(UpdateDialogTest, AVerifiedDownloadMovesTheBarStartsTheInstallerAndClosesTheMainForm) {
    const std::string installer = Fixture(FAKE_INSTALLER_EXE);
    ASSERT_GT(installer.size(), 30000u);
    // About thirty pieces a tenth of a second apart: the bar has time to be seen moving.
    site_.Serve("/download/masqng.exe", installer, "trickle " + std::to_string(installer.size() / 30) + " 0.1");

    auto program = Start(Fixture(FAKE_INSTALLER_EXE ".sha256"));
    ASSERT_TRUE(dialog_);
    EXPECT_TRUE(FindChild(dialog_, "Static", "Downloading new version. Please wait..."));
    EXPECT_FALSE(GetWindowLongA(dialog_, GWL_STYLE) & WS_SYSMENU);  // no close button
    HWND bar = ProgressBar();
    ASSERT_TRUE(bar);

    std::vector<int> seen;  // every percentage the bar showed, in order
    bool screenshot = false;
    WaitUntil([&] {
        if (!IsWindow(bar))
            return true;
        const std::string caption = TextOf(bar);
        if (caption.empty())
            return false;
        const int percent = std::stoi(caption);
        if (seen.empty() || seen.back() != percent)
            seen.push_back(percent);
        if (!screenshot && percent >= 10 && percent <= 90)
            screenshot = SaveWindowScreenshot("update_downloading", dialog_, 8);
        return false;
    });
    EXPECT_TRUE(screenshot);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(std::count_if(seen.begin(), seen.end(), [](int p) { return p > 0 && p < 100; }), 3);

    EXPECT_EQ(program->WaitForExit(kUiTimeout), kInstallerStarted);
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(Data("installer-started.txt")).has_value(); }));
    EXPECT_EQ(ReadLines(Data("installer-started.txt")), std::vector<std::string>{Data("masqng-update.exe")});
    EXPECT_EQ(ReadFile(Data("main-form-closed.txt")), "closed");
    EXPECT_EQ(ReadFile(Data("masqng-update.exe")), installer);
    EXPECT_FALSE(ReadFile(Data("masqng-update.exe.sig")));  // no use once checked
    const auto requests = site_.Requests("/download/");
    EXPECT_EQ(std::vector<std::string>(requests.begin() + std::min(requestsBefore_, requests.size()), requests.end()),
              (std::vector<std::string>{"GET /download/masqng.exe.sig HTTP/1.0" + std::string(kAgentAndAccept),
                                        "GET /download/masqng.exe HTTP/1.0" + std::string(kAgentAndAccept)}));
}

TEST_F(UpdateDialogTest, AChangedDownloadIsRefusedDeletedAndNotRun) {
    std::string changed = Fixture(FAKE_INSTALLER_EXE);
    changed[changed.size() / 2] ^= 0x01;
    site_.Serve("/download/masqng.exe", changed);

    auto program = Start();
    ASSERT_TRUE(dialog_);
    HWND box = WaitForErrorBox(*program, kFailedVerification);
    ASSERT_TRUE(box);
    SaveWindowScreenshot("update_refused", box, 8);
    EXPECT_FALSE(ReadFile(Data("masqng-update.exe")));
    EXPECT_FALSE(ReadFile(Data("masqng-update.exe.sig")));

    DismissErrorThenClose(*program, box);
    EXPECT_FALSE(ReadFile(Data("installer-started.txt")));
    EXPECT_FALSE(ReadFile(Data("main-form-closed.txt")));
}

TEST_F(UpdateDialogTest, ADownloadWithoutContentLengthShowsTheErrorAndTheDialogStaysUntilDismissed) {
    site_.Serve("/download/masqng.exe", Fixture(FAKE_INSTALLER_EXE), "no-length");

    auto program = Start();
    ASSERT_TRUE(dialog_);
    HWND box = WaitForErrorBox(*program, kDownloadError);
    ASSERT_TRUE(box);
    SaveWindowScreenshot("update_error", box, 8);
    EXPECT_FALSE(ReadFile(Data("masqng-update.exe")));  // nothing was written

    Click(FindChild(box, "Button", "OK"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    // The dialog is still there, with its one way out.
    EXPECT_TRUE(IsWindowVisible(dialog_));
    HWND close = FindChild(dialog_, "Button", "&Close");
    ASSERT_TRUE(close);
    SaveWindowScreenshot("update_after_error", dialog_, 8);
    EXPECT_TRUE(program->Running());

    // Escape, like the button, closes it once the download has failed.
    ASSERT_TRUE(TypeKeyInto(dialog_, VK_ESCAPE));
    EXPECT_EQ(program->WaitForExit(kUiTimeout), kDismissed);
    EXPECT_FALSE(ReadFile(Data("main-form-closed.txt")));
}

// A byte a second keeps the connection alive for ever and never fills a piece: after a minute
// without one the download fails like any other, and the dialog can be closed.
TEST_F(UpdateDialogTest, ADownloadWithoutAPieceForAMinuteFailsAndTheDialogCanBeClosed) {
    site_.Serve("/download/masqng.exe", Fixture(FAKE_INSTALLER_EXE), "drip 1");

    auto program = Start();
    ASSERT_TRUE(dialog_);
    HWND box = WaitForErrorBox(*program, kDownloadError, 60s + kUiTimeout);
    site_.Release("/download/masqng.exe");
    ASSERT_TRUE(box);
    EXPECT_FALSE(ReadFile(Data("installer-started.txt")));

    DismissErrorThenClose(*program, box);
}

}  // namespace
