// The guidance the program gives: the unblock advice when a firewall keeps it off the Internet,
// and the tour of the default browser on the Help command and the title bar's help button.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/opened_documents.h"

namespace e2e {

using namespace driver;

namespace {

constexpr char kDirectoryAdvice[] =
    "Silent Update failed! You should enable the following programs to access the Internet with your Firewall. "
    "Then click the RECONNECT button.";
constexpr char kTunnelAdvice[] =
    "Connect to the Internet failed! You should enable the following programs to access the Internet with your "
    "Firewall. Then RESTART Masq NG.";
constexpr char kFirefoxNotice[] =
    "Masq NG detected you default browser is Firefox. We'll show you how to use Masq NG with Firefox.";

void UseLocalWebSite() {
    WritePrivateProfileStringA("Hosts", "Web", "127.0.0.1", Paths().siteFile.c_str());
}

// The advice dialog as a user reads it.
struct Advice {
    explicit Advice(const Masq& masq) : dialog(WaitForTopLevel(masq.Process().Id(), "Masq NG Unblock")) {
        for (const Control& child : ChildrenOf(dialog))
            if (child.className == "Edit")
                paths.push_back(child.hwnd);  // in the order of their rows
    }
    HWND Button(const char* caption) const { return FindChild(dialog, "Button", caption); }
    // Presses a copy button; the clipboard's text once the program has put something there.
    std::string Copy(const char* caption) const {
        const DWORD before = GetClipboardSequenceNumber();
        Click(Button(caption));
        if (!WaitUntil([&] { return GetClipboardSequenceNumber() != before; }))
            return "";
        return ClipboardText();
    }

    HWND dialog;
    std::vector<HWND> paths;
};

// The directory's hosts behind a firewall: every request of the first run fails.
TEST_F(MasqTest, AFailedDirectoryRequestBringsTheAdviceWhoseReconnectAsksAgainOnceTheFirewallIsOpen) {
    UseDirectoryAtStart();
    const std::string& host = RunningSite().firewalled;
    UseDirectoryHosts(host, host, host);
    SiteFirewall firewall;
    Masq masq;
    Advice advice(masq);
    ASSERT_TRUE(advice.dialog);
    EXPECT_TRUE(FindChild(advice.dialog, "Static", kDirectoryAdvice));
    ASSERT_EQ(advice.paths.size(), 2u);
    EXPECT_EQ(TextOf(advice.paths[0]), Paths().exe);
    EXPECT_EQ(TextOf(advice.paths[1]), Paths().warden);
    EXPECT_TRUE(IsWindowEnabled(advice.Button("&Reconnect")));
    SaveWindowScreenshot("unblock_directory", advice.dialog, 8);
    EXPECT_EQ(advice.Copy("&Copy"), Paths().exe);
    EXPECT_EQ(advice.Copy("C&opy"), Paths().warden);

    firewall.Open();
    Click(advice.Button("&Reconnect"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(advice.dialog); }));
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    const std::vector<std::string> texts = masq.LogTexts();
    const auto advised = std::find(texts.begin(), texts.end(), "Please unblock Masq NG");
    ASSERT_NE(advised, texts.end());
    EXPECT_EQ(std::vector<std::string>(advised + 1, advised + 6),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 OK"}))
        << "Reconnect runs the whole request again";
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Please unblock Masq NG"), 1);
    EXPECT_NE(std::find(advised, texts.end(), "Select IP: United States #1"), texts.end());
}

TEST_F(MasqTest, ATunnelClientThatCannotGetOutBringsTheAdviceWithItsPathsAndNoReconnect) {
    UseDirectoryAtStart();
    UseLocalWebSite();
    ASSERT_TRUE(CopyFileTo(WindowsPathOf(BLOCKED_CLIENT_EXE), Paths().warden));
    OpenedDocuments opened;
    Masq masq;
    Advice advice(masq);
    ASSERT_TRUE(advice.dialog);
    EXPECT_TRUE(masq.WaitForLog("Please unblock Masq NG"));
    EXPECT_TRUE(FindChild(advice.dialog, "Static", kTunnelAdvice));
    EXPECT_TRUE(FindChild(advice.dialog, "Static", "Masq NG Path:"));
    EXPECT_TRUE(FindChild(advice.dialog, "Static", "Warden Path:"));
    ASSERT_EQ(advice.paths.size(), 2u);
    EXPECT_EQ(TextOf(advice.paths[0]), Paths().exe);
    EXPECT_EQ(TextOf(advice.paths[1]), Paths().warden);
    EXPECT_FALSE(IsWindowEnabled(advice.paths[0]));
    ASSERT_TRUE(advice.Button("&Reconnect"));
    EXPECT_FALSE(IsWindowEnabled(advice.Button("&Reconnect")));
    SaveWindowScreenshot("unblock_tunnel", advice.dialog, 8);

    EXPECT_EQ(advice.Copy("&Copy"), Paths().exe);
    EXPECT_EQ(advice.Copy("C&opy"), Paths().warden);
    Click(advice.Button("&Help"));
    EXPECT_EQ(opened.Next(), "http://127.0.0.1/setup-firewall.htm");
    EXPECT_TRUE(IsWindowVisible(advice.dialog)) << "help leaves the advice open";

    Click(advice.Button("&Close"));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(advice.dialog); }));
    EXPECT_TRUE(masq.WaitForLog("Warden can not connect to the Internet"));
}

// The tour's notice naming the default browser, once the program shows it.
HWND WaitForTourNotice(const Masq& masq) {
    HWND notice = nullptr;
    WaitUntil([&] {
        notice = WaitForTopLevel(masq.Process().Id(), "Masq NG", "", 1s);
        return notice && FindChild(notice, "Static", kFirefoxNotice);
    });
    return notice;
}

TEST_F(MasqTest, TheFirstRunShowsTheTourOfTheDefaultBrowserAndTheSecondStartDoesNot) {
    UseDirectoryAtStart();
    WritePrivateProfileStringA("Config", "FirstRun", nullptr, Paths().settings.c_str());
    UseLocalWebSite();
    OpenedDocuments firefox("firefox");
    {
        Masq first;
        HWND notice = WaitForTourNotice(first);
        ASSERT_TRUE(notice);
        SaveWindowScreenshot("tour_notice", notice, 8);
        Click(FindChild(notice, "Button", "&OK"));
        EXPECT_EQ(firefox.Next(), "http://127.0.0.1/masq-with-firefox.htm");
        ASSERT_TRUE(first.WaitForLog("Masq ON")) << "the road goes on after the tour";
        first.Command(TrayMenuItem::Exit1);
        ASSERT_EQ(first.Process().WaitForExit(kUiTimeout), 0u);
    }
    Masq second;
    ASSERT_TRUE(second.WaitForLog("Masq ON"));
    EXPECT_FALSE(FindTopLevel(second.Process().Id(), "Masq NG")) << "no notice";
    EXPECT_EQ(firefox.Count(), 1u);
}

TEST_F(MasqTest, HelpAndTheTitleBarsHelpButtonShowTheTourOfTheDefaultBrowser) {
    UseLocalWebSite();
    OpenedDocuments firefox("firefox");
    Masq masq;
    ASSERT_TRUE(masq.CloseUnblockAdvice());

    masq.Command(TrayMenuItem::Help1);
    HWND notice = WaitForTourNotice(masq);
    ASSERT_TRUE(notice);
    Click(FindChild(notice, "Button", "&OK"));
    EXPECT_EQ(firefox.Next(), "http://127.0.0.1/masq-with-firefox.htm");

    PostMessageA(masq.MainForm(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    notice = WaitForTourNotice(masq);
    ASSERT_TRUE(notice);
    Click(FindChild(notice, "Button", "&OK"));
    EXPECT_EQ(firefox.Next(), "http://127.0.0.1/masq-with-firefox.htm");
}

}  // namespace
}  // namespace e2e
