// However the program ends, the browsers leave its proxy within 2 s and no warden.exe of it is
// left: ended from outside (taskkill /f, or with its whole process tree), crashed (the test
// build), its session forced to an end from Windows Vista on; and when nothing could clear (a
// power cut), the next start mends. After each end, a normal start hides again.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/program.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/browser_state.h"
#include "tests/e2e/masq_fixture.h"
#include "ui/tray/tray_menu.h"

namespace e2e {

using namespace driver;
namespace {

using Clock = std::chrono::steady_clock;

// The goal, measured from the end of the program (or from its crash, which the system's crash
// handling may hold up for long) to the browsers back off its proxy. The watch takes well under
// it under Wine (the times are printed); the bound is the goal itself.
constexpr auto kBackWithin = 2s;
constexpr char kUsersProxy[] = "proxy.example:8080";
constexpr char kMendLine[] = "Remove Proxy settings of the last run";

enum class UsersProxy { kNone, kOwn };

class AbruptEndTest : public MasqTest {
  protected:
    void SetUp() override {
        MasqTest::SetUp();
        UseDirectoryAtStart();
        DeleteFileA(PluginFile().c_str());
    }
    void TearDown() override { SetDirectSystemProxy(); }

    void StartWith(UsersProxy proxy) {
        users_ = proxy;
        // The user's own proxy does not carry the requests to the maker's site: the program asks
        // it through the system proxy, which is the user's whenever hiding is off.
        if (proxy == UsersProxy::kOwn)
            SetUsersOwnSystemProxy(kUsersProxy, RunningSite().directory);
        else
            SetDirectSystemProxy();
    }
    // Started with the tunnel up and the browsers on the local proxy; the client's process id.
    DWORD Hide(const Masq& masq) const {
        if (!masq.WaitForLog("Masq ON") || !WaitUntil([] { return BrowsersOnLocalProxy(); }))
            return 0;
        std::vector<DWORD> clients;
        WaitUntil([&] { return (clients = masq.ClientProcesses()).size() == 1; });
        return clients.size() == 1 ? clients.front() : 0;
    }
    static bool BrowsersOnLocalProxy() {
        return ProxyEnable() == 1u && ProxyServer() == "socks=127.0.0.1:" + RunningNode().localPort &&
               ReadFile(PluginFile()).value_or("").starts_with("1\r\n-1\r\n");
    }
    // What the user had before the program: their own proxy, or direct ("socks=" stays behind).
    bool BrowsersBack() const {
        const bool system = users_ == UsersProxy::kOwn ? ProxyEnable() == 1u && ProxyServer() == kUsersProxy
                                                       : ProxyEnable() == 0u && ProxyServer() == "socks=";
        return system && ReadFile(PluginFile()) == kPluginFileOff;
    }
    // Waits for the browsers to be back, polling, and checks that it took no longer than the goal
    // after `since`.
    void ExpectBrowsersBackWithin(Clock::time_point since, const char* after) const {
        const bool back = WaitUntil([&] { return BrowsersBack(); }, 30s);
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since);
        std::printf("[ measured ] browsers back %lld ms after %s\n", static_cast<long long>(took.count()), after);
        ASSERT_TRUE(back) << "the browsers are still on the ended program's proxy";
        EXPECT_LE(took, kBackWithin);
    }
    // A normal start: the log tells of the mend once (`mendLogged`) right after its header, or not
    // at all, and hiding works again; Exit puts the user's proxy back.
    void ExpectNextStartHides(bool mendLogged) {
        DeleteFileA(Paths().report.c_str());  // the next start is seen by its own log
        Masq next;
        ASSERT_NE(Hide(next), 0u) << "hiding works again";
        const std::vector<std::string> texts = next.LogTexts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), kMendLine), mendLogged ? 1 : 0);
        if (mendLogged) {
            const auto header = std::find_if(texts.begin(), texts.end(),
                                             [](const std::string& text) { return text.starts_with("TimeZone: "); });
            ASSERT_NE(header, texts.end());
            EXPECT_EQ(*std::next(header), kMendLine) << "before anything of the session";
        }
        next.Command(TrayMenuItem::Exit1);
        EXPECT_EQ(next.Process().WaitForExit(kUiTimeout), 0u);
        EXPECT_TRUE(BrowsersBack());
    }

    UsersProxy users_ = UsersProxy::kNone;
};

TEST_F(AbruptEndTest, EndedByTaskkillTheWatchPutsTheUsersProxyBackAndTheClientEndsWithTheProgram) {
    StartWith(UsersProxy::kOwn);
    {
        Masq masq;
        const DWORD client = Hide(masq);
        ASSERT_NE(client, 0u);
        Program taskkill("taskkill.exe /f /pid " + std::to_string(masq.Process().Id()));
        ASSERT_EQ(taskkill.WaitForExit(kUiTimeout), 0u);
        ASSERT_TRUE(masq.Process().WaitForExit(kUiTimeout));
        ExpectBrowsersBackWithin(Clock::now(), "taskkill /f");
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(client); }, kBackWithin)) << "a warden.exe is left";
    }
    ExpectNextStartHides(true);
}

// As taskkill /t /f ends it (Wine's taskkill has no /t): the program and every process it started.
// The watch is none of them: the launcher that started it has ended.
TEST_F(AbruptEndTest, EndedWithItsProcessTreeTheWatchStillClears) {
    StartWith(UsersProxy::kNone);
    {
        Masq masq;
        ASSERT_NE(Hide(masq), 0u);
        const DWORD watch = masq.WaitForWatch();
        ASSERT_NE(watch, 0u);
        const std::vector<DWORD> children = masq.ClientProcesses();
        masq.Process().Terminate();
        const Clock::time_point ended = Clock::now();
        for (DWORD child : children)
            EndProcess(child);
        ExpectBrowsersBackWithin(ended, "the process tree's end");
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(watch); }, kBackWithin)) << "the watch ends once done";
    }
    ExpectNextStartHides(true);
}

// The test build crashes on its GUI thread; Wine's debugger then holds the process with its
// "Program Error" dialog until it is closed. The browsers are back and the client has ended
// before that, while the process is still there.
TEST_F(AbruptEndTest, ACrashClearsBeforeTheDebuggerHoldsTheProcess) {
    StartWith(UsersProxy::kOwn);
    ASSERT_TRUE(CopyFileTo(WindowsPathOf(MASQNG_CRASH_EXE), Paths().exe));
    {
        Masq masq;
        const DWORD client = Hide(masq);
        ASSERT_NE(client, 0u);
        PostMessageA(masq.MainForm(), RegisterWindowMessageA("MasqNG test crash"), 0, 0);
        ExpectBrowsersBackWithin(Clock::now(), "the crash");
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(client); }, kBackWithin)) << "a warden.exe is left";

        HWND crashDialog = WaitForTopLevel(0, "Program Error");
        ASSERT_TRUE(crashDialog);
        HWND close = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (close = FindChild(crashDialog, "Button", "Close")) != nullptr; }));
        EXPECT_TRUE(masq.Process().Running()) << "held by the debugger";
        SaveWindowScreenshot("crash_dialog", crashDialog, 8);
        Click(close);  // the debugger ends the process
        EXPECT_TRUE(masq.Process().WaitForExit(kUiTimeout));
    }
    InstallProgram();
    UseDirectoryAtStart();
    ExpectNextStartHides(true);
}

// From Windows Vista on the program holds the end of the session up; a user who forces it makes
// Windows send WM_ENDSESSION and then end the process. Wine 8 never forces (wineboot -e -f leaves
// a program that answered no running), so the test sends the message and ends the process as
// Windows would. The program clears in its own run and logs it: nothing is left for the next start.
TEST_F(AbruptEndTest, AForcedEndOfTheSessionClearsBeforeTheProcessGoes) {
    StartWith(UsersProxy::kNone);
    {
        Masq masq;
        const DWORD client = Hide(masq);
        ASSERT_NE(client, 0u);
        Program wineboot("wineboot.exe -e");
        ASSERT_EQ(wineboot.WaitForExit(kUiTimeout), 1u) << "the program holds the end up";

        const Clock::time_point forced = Clock::now();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(masq.MainForm(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &result));
        EXPECT_TRUE(BrowsersBack()) << "cleared before the message was answered";
        masq.Process().Terminate();
        ExpectBrowsersBackWithin(forced, "the forced end of the session");
        EXPECT_TRUE(WaitUntil([&] { return ProcessEnded(client); }, kBackWithin)) << "a warden.exe is left";
        const std::vector<std::string> texts = masq.LogTexts();
        EXPECT_EQ(
            std::vector<std::string>(texts.end() - 3, texts.end()),
            (std::vector<std::string>{"Windows shut down", "Please manually close Masq before shutting down Windows.",
                                      "Remove Proxy settings"}));
    }
    ExpectNextStartHides(false);
}

// Nothing runs to clear: the watch is ended first, then the program, as a power cut ends both.
TEST_F(AbruptEndTest, AfterAPowerCutTheNextStartMendsOnceBeforeItsDirectoryRequest) {
    StartWith(UsersProxy::kOwn);
    {
        Masq masq;
        ASSERT_NE(Hide(masq), 0u);
        const DWORD watch = masq.WaitForWatch();
        ASSERT_NE(watch, 0u);
        ASSERT_TRUE(EndProcess(watch));
        masq.Process().Terminate();
        EXPECT_TRUE(BrowsersOnLocalProxy()) << "left on the dead proxy";
    }
    ExpectNextStartHides(true);
}

}  // namespace
}  // namespace e2e
