// The node directory on the real program against the maker's site on loopback (tests/e2e/
// services.sh): the request to the primary host and the mirrors, the system's download as the
// last resort, the failure without any directory, the selection dialog, and the whole road to a
// hidden address.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "resources/resource_ids.h"
#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/driver/wait.h"
#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/tray.h"
#include "tests/e2e/web_page.h"

namespace e2e {

using namespace driver;

namespace {

constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// The requests the site saw from the program started after `before` of them.
std::vector<std::string> RequestsSince(std::size_t before) {
    std::vector<std::string> requests = DirectoryRequests();
    return std::vector<std::string>(requests.begin() + std::min(before, requests.size()), requests.end());
}

// "HOST GET /update-ng.php?..." of attempt `attempt` with the six parameters in their order.
bool IsRequestOfAttempt(const std::string& request, const std::string& host, int attempt) {
    static const std::regex query(
        R"((\S+) GET /update-ng\.php\?id=\d{24}&productid=1&version=1\.8479&language=\d+&i=(\d)&code=[0-9A-F]{8})");
    std::smatch match;
    return std::regex_match(request, match, query) && match[1] == host && match[2] == std::to_string(attempt);
}

// Milliseconds of the day at which the log line with `text` was written.
std::optional<long> LoggedAt(const std::string& text) {
    static const std::regex line(R"(\[ (\d\d):(\d\d):(\d\d):(\d\d\d) \S+ \] (.*))");
    for (const std::string& entry : ReadLines(Paths().report).value_or(std::vector<std::string>{})) {
        std::smatch match;
        if (std::regex_match(entry, match, line) && match[5] == text)
            return ((std::stol(match[1]) * 60 + std::stol(match[2])) * 60 + std::stol(match[3])) * 1000 +
                   std::stol(match[4]);
    }
    return std::nullopt;
}

std::optional<DWORD> RegistryNumber(const char* key, const char* name) {
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// The rows of another process's list box. Wine hands LB_GETTEXT across processes in UTF-16 only.
std::vector<std::string> ListRows(HWND list) {
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t wide[256] = {};
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char text[256] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), nullptr, nullptr);
        rows.emplace_back(text);
    }
    return rows;
}

HWND WaitForSelectIp(const Masq& masq) {
    return WaitForTopLevel(masq.Process().Id(), "Select IP");
}

TEST_F(MasqTest, AGoodPrimaryReplyLaunchesANodeOfTheLastLocationAndHidesTheAddress) {
    UseDirectoryAtStart(10);
    const std::size_t before = DirectoryRequests().size();
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    EXPECT_EQ(DirectoryTexts(masq),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 OK", "UpdateVerify-0 OK", "Select IP: United States #1"}));
    const std::vector<std::string> requests = RequestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(IsRequestOfAttempt(requests[0], RunningSite().directory, 0)) << requests[0];
    EXPECT_TRUE(
        std::regex_match(IniValue(Paths().settings, "Config", "Pass").value_or(""), std::regex("[0-9A-F]{32}")));

    // What a web site sees: this machine straight, the node through the local proxy.
    const std::string& site = RunningSite().directory;
    EXPECT_EQ(FetchPage(site, "/ip.php"), "127.0.0.1");
    EXPECT_EQ(FetchPageThroughSocks5(RunningNode().localPort, site, "/ip.php"), RunningNode().outAddress);

    // The browsers go through it too.
    EXPECT_EQ(RegistryNumber(kInternetSettings, "ProxyEnable"), 1u);
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kInternetSettings, "ProxyServer"),
              "socks=127.0.0.1:" + RunningNode().localPort);
}

TEST_F(MasqTest, APrimaryReplyWithoutItsEndMarkerSendsTheRequestToTheFirstMirror) {
    UseDirectoryAtStart(10);
    const MakerSite& site = RunningSite();
    UseDirectoryHosts(site.noMarker, site.mirror1, site.mirror2);
    const std::size_t before = DirectoryRequests().size();
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Searching..."));  // the client for the node runs
    EXPECT_EQ(DirectoryTexts(masq),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 OK", "UpdateVerify-0 Failed", "SilentUpdate-1 ...",
                                        "SilentUpdate-1 OK", "UpdateVerify-1 OK", "Select IP: United States #1"}));
    const std::vector<std::string> requests = RequestsSince(before);
    ASSERT_EQ(requests.size(), 2u);  // the second mirror is never asked
    EXPECT_TRUE(IsRequestOfAttempt(requests[0], site.noMarker, 0)) << requests[0];
    EXPECT_TRUE(IsRequestOfAttempt(requests[1], site.mirror1, 1)) << requests[1];
}

// The primary host refuses the program's own request and serves the system's download, the first
// mirror is down and the second accepts and stays silent.
TEST_F(MasqTest, WhenEveryHostFailsTheSystemsDownloadOfTheFirstUrlIsVerifiedAndASilentHostCostsSeconds) {
    UseDirectoryAtStart(10);
    const MakerSite& site = RunningSite();
    UseDirectoryHosts(site.systemOnly, site.down, site.silent);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string fallbackFile = std::string(temp) + "flxdxa.temp";
    const std::size_t before = DirectoryRequests().size();
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Searching..."));  // the client for the node runs
    EXPECT_EQ(DirectoryTexts(masq),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 Failed",
                                        "SilentUpdate-2 ...", "SilentUpdate-2 Failed", "BakUpdate OK",
                                        "BakUpdateVerify OK", "Select IP: United States #1"}));
    EXPECT_EQ(GetFileAttributesA(fallbackFile.c_str()), INVALID_FILE_ATTRIBUTES) << "the fallback file is gone";

    // The program's own request and the system's download asked the primary host the same URL.
    std::vector<std::string> requests = RequestsSince(before);
    ASSERT_GE(requests.size(), 2u);
    EXPECT_TRUE(IsRequestOfAttempt(requests.front(), site.systemOnly, 0)) << requests.front();
    EXPECT_EQ(requests.back(), requests.front());

    const std::optional<long> asked = LoggedAt("SilentUpdate-2 ..."), failed = LoggedAt("SilentUpdate-2 Failed");
    ASSERT_TRUE(asked && failed);
    EXPECT_GE(*failed - *asked, 4'000);
    EXPECT_LE(*failed - *asked, 15'000) << "a silent host costs seconds, not the program";
}

TEST_F(MasqTest, WithoutAnyDirectoryTheUserIsAdvisedAndHidingCannotBeTurnedOn) {
    Masq masq;  // every directory host is down
    ASSERT_TRUE(masq.WaitForLog("Please unblock Masq NG"));
    EXPECT_EQ(DirectoryTexts(masq),
              (std::vector<std::string>{"Init settings...", "Done", "SilentUpdate...", "SilentUpdate-0 ...",
                                        "SilentUpdate-0 Failed", "SilentUpdate-1 ...", "SilentUpdate-1 Failed",
                                        "SilentUpdate-2 ...", "SilentUpdate-2 Failed", "Bakupdate Failed",
                                        "SilentUpdate Failed!", "Please unblock Masq NG"}));
    ASSERT_TRUE(masq.CloseUnblockAdvice());
    ASSERT_TRUE(WaitForTrayIcon());
    EXPECT_TRUE(WaitForBalloon("SilentUpdate Failed!"));

    // "&Masq" is disabled: its key leaves the menu open and turns nothing on.
    ClickTrayIcon();
    HWND menu = WaitForTopLevel(masq.Process().Id(), "", "#32768");
    ASSERT_TRUE(menu);
    ASSERT_TRUE(TypeKeyInto(menu, 'M'));
    ASSERT_TRUE(TypeKeyInto(menu, VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
    const std::vector<std::string> texts = masq.LogTexts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Masq ON"), 0);
}

// On the first run no location is chosen by itself: the dialog opens and cannot be cancelled.
TEST_F(MasqTest, TheSelectionDialogListsTheNodesAndOkOnAHeaderStoresTheLocationAndLaunches) {
    UseDirectoryAtStart(std::nullopt);
    Masq masq;
    HWND dialog = WaitForSelectIp(masq);
    ASSERT_TRUE(dialog);
    HWND list = FindChildById(dialog, IDC_LSB_SELECT_IP);
    EXPECT_EQ(ListRows(list),
              (std::vector<std::string>{"United States", "  #1 Masq Node", "United Kingdom", "  #2 Masq Node",
                                        "United States - Houston", "  #3 Masq Node", "  #4 Masq Node"}));
    EXPECT_FALSE(IsWindowEnabled(FindChildById(dialog, IDCANCEL)));
    EXPECT_EQ(SendMessageA(FindChildById(dialog, IDC_CHK_ALWAYS_LOCATION), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TrayTooltip(), "Please Select an IP Address");
    SaveWindowScreenshot("select_ip_first_run", dialog, 8);

    SendMessageA(list, LB_SETCURSEL, 0, 0);  // "United States"
    Click(FindChildById(dialog, IDOK));
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    EXPECT_TRUE(masq.WaitForLog("Select IP: United States #1"));
    EXPECT_EQ(IniValue(Paths().settings, "Config", "LastCountry"), "10");
    EXPECT_EQ(IniValue(Paths().settings, "Config", "AutoSelectCountry"), "1");

    // From the tray menu it opens on the row chosen last, and Cancel stores nothing.
    const std::optional<std::string> settings = ReadFile(Paths().settings);
    masq.Command(TrayMenuItem::SelectIP1);
    dialog = WaitForSelectIp(masq);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(SendMessageA(FindChildById(dialog, IDC_LSB_SELECT_IP), LB_GETCURSEL, 0, 0), 0);
    ASSERT_TRUE(IsWindowEnabled(FindChildById(dialog, IDCANCEL)));
    SaveWindowScreenshot("select_ip", dialog, 8);
    Click(FindChildById(dialog, IDCANCEL));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ReadFile(Paths().settings), settings);
    const std::vector<std::string> texts = masq.LogTexts();
    EXPECT_EQ(
        std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.starts_with("Select IP"); }), 1);
}

}  // namespace
}  // namespace e2e
