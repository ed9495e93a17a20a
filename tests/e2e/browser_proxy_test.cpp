// The browsers' proxy on the real program: the system (WinInet) proxy read back from the
// registry where WinInet keeps it, a user's own proxy put back, and Firefox's files in a profile
// made under the prefix's Application Data. The browsers go on the proxy of a running tunnel
// client only (the test services' node, the tunnel's ready line or the hide command sent as the
// menu sends it); a start without a directory hides nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include "resources/resource_ids.h"
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

constexpr char kOurProxy[] = "socks=127.0.0.1:7070";  // at the default port
constexpr char kUsersProxy[] = "proxy.example:8080";
constexpr char kBypassLabel[] =
    "Input the sites that you don't wish to use Masq. One site per line. Only apply to Internet Explorer.";

const std::string kFixedUserJsLines =
    "user_pref(\"network.proxy.http\", \"\");\r\nuser_pref(\"network.proxy.http_port\", 0);\r\n"
    "user_pref(\"network.proxy.ssl\", \"\");\r\nuser_pref(\"network.proxy.ssl_port\", 0);\r\n"
    "user_pref(\"network.proxy.ftp\", \"\");\r\nuser_pref(\"network.proxy.ftp_port\", 0);\r\n"
    "user_pref(\"network.proxy.gopher\", \"\");\r\nuser_pref(\"network.proxy.gopher_port\", 0);\r\n"
    "user_pref(\"network.proxy.socks_version\", 5);\r\n";
std::string SettingUserJs(const std::string& port) {
    return "user_pref(\"network.proxy.type\", 1);\r\n" + kFixedUserJsLines +
           "user_pref(\"network.proxy.socks\", \"127.0.0.1\");\r\n"
           "user_pref(\"network.proxy.socks_port\"," +
           port +
           ");\r\n"
           "user_pref(\"network.proxy.no_proxies_on\", \"a.example,b.example,\");\r\n";
}
const std::string kClearingUserJs = "user_pref(\"network.proxy.type\", 0);\r\n" + kFixedUserJsLines +
                                    "user_pref(\"network.proxy.socks\", \"\");\r\n"
                                    "user_pref(\"network.proxy.socks_port\", 0);\r\n";
const char kUsersOwnUserJs[] = "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n";

bool SystemProxyIs(DWORD enable, const std::string& server) {
    return WaitUntil([&] { return ProxyEnable() == enable && ProxyServer() == server; });
}

// The program's proxy with the tunnel of the test services' node (UseDirectoryAtStart).
std::string TunnelsProxy() {
    return "socks=127.0.0.1:" + RunningNode().localPort;
}
bool HiddenByTheTunnel(const Masq& masq) {
    return masq.WaitForLog("Masq ON") && SystemProxyIs(1, TunnelsProxy());
}
// A proxy of the user's own that the directory's requests at the start go around (the program
// asks the maker's site through the system proxy, which is the user's while hiding is off).
void SetUsersOwnProxyBesideTheSite() {
    SetUsersOwnSystemProxy(kUsersProxy, RunningSite().directory);
}

// Every test starts from a direct system proxy, no Firefox profile and no state file, and puts
// the direct proxy back at its end.
class BrowserProxyTest : public MasqTest {
  protected:
    void SetUp() override {
        MasqTest::SetUp();
        SetDirectSystemProxy();
        DeleteTree(AppDataFolder() + "Mozilla");
        DeleteTree(pluginFile);
    }
    void TearDown() override { SetDirectSystemProxy(); }

    // The stored settings of an earlier run: two sites to reach directly, and the Firefox mode.
    static void StoreSettings(int firefoxMode) {
        CreateDirectoryA(Paths().dataFolder.c_str(), nullptr);
        WriteFile(Paths().settings, "[Config]\r\nFirefoxControlMode=" + std::to_string(firefoxMode) +
                                        "\r\n[Bypass]\r\nCounter=2\r\n1=a.example\r\n2=b.example\r\n");
    }
    // A Firefox profile as Firefox makes it, holding a user.js of the user's own.
    std::string MakeFirefoxProfile() {
        std::string folder = AppDataFolder();
        for (const char* level : {"Mozilla\\", "Firefox\\", "Profiles\\", "e2e1.default\\"})
            CreateDirectoryA((folder += level).c_str(), nullptr);
        WriteFile(folder + "user.js", kUsersOwnUserJs);
        return folder;
    }
    // The profiles of a current Firefox: installs.ini and profiles.ini name the install's profile
    // "*.default-release"; the legacy "*.default" beside it is still marked Default=1. Both
    // folders, each ending in a backslash: the one Firefox uses, then the legacy one.
    static std::pair<std::string, std::string> MakeCurrentFirefoxProfiles() {
        const std::string firefox = AppDataFolder() + "Mozilla\\Firefox\\";
        const std::string used = firefox + "Profiles\\e2e2.default-release\\";
        const std::string legacy = firefox + "Profiles\\e2e1.default\\";
        for (const std::string& folder : {AppDataFolder() + "Mozilla", firefox, firefox + "Profiles", used, legacy})
            CreateDirectoryA(folder.c_str(), nullptr);
        WriteFile(firefox + "installs.ini",
                  "[308046B0AF4A39CB]\r\nDefault=Profiles/e2e2.default-release\r\nLocked=1\r\n");
        WriteFile(firefox + "profiles.ini",
                  "[Install308046B0AF4A39CB]\nDefault=Profiles/e2e2.default-release\nLocked=1\n\n"
                  "[Profile1]\nName=default\nIsRelative=1\nPath=Profiles/e2e1.default\nDefault=1\n\n"
                  "[Profile0]\nName=default-release\nIsRelative=1\nPath=Profiles/e2e2.default-release\n\n"
                  "[General]\nStartWithLastProfile=1\nVersion=2\n");
        return {used, legacy};
    }
    static bool FileIs(const std::string& path, const std::optional<std::string>& bytes) {
        return WaitUntil([&] { return ReadFile(path) == bytes; });
    }

    const std::string pluginFile = PluginFile();
};

TEST_F(BrowserProxyTest, HideSetsTheSystemProxyAndStopAndExitClearIt) {
    UseDirectoryAtStart();
    Masq masq;
    ASSERT_TRUE(HiddenByTheTunnel(masq));
    masq.Command(TrayMenuItem::StopMasq1);
    EXPECT_TRUE(SystemProxyIs(0, "socks="));

    masq.Command(TrayMenuItem::Masq1);
    EXPECT_TRUE(SystemProxyIs(1, TunnelsProxy()));
    masq.Command(TrayMenuItem::Exit1);
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
    EXPECT_EQ(ProxyEnable(), 0u);
    EXPECT_EQ(ProxyServer(), "socks=");
}

// The user's proxy is kept in the program's own records, never in masq.ini, whose copy starts
// the log for support: the next start's log shows none of it.
TEST_F(BrowserProxyTest, AUsersOwnProxySetBeforeTheStartIsBackAfterExitAndNeverInTheSettingsOrTheLog) {
    SetUsersOwnProxyBesideTheSite();
    UseDirectoryAtStart();
    {
        Masq masq;
        ASSERT_TRUE(HiddenByTheTunnel(masq));
        EXPECT_EQ(IniValue(Paths().userProxy, "UserProxy", "LAN.Server"), kUsersProxy);
        EXPECT_EQ(IniValue(Paths().userProxy, "UserProxy", "LAN.Saved"), "1");

        masq.Command(TrayMenuItem::Exit1);
        EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
        EXPECT_EQ(ProxyEnable(), 1u);
        EXPECT_EQ(ProxyServer(), kUsersProxy);
        EXPECT_EQ(IniValue(Paths().userProxy, "UserProxy", "LAN.Saved"), "0");
    }
    InstallProgram();  // the next start asks no directory
    DeleteFileA(Paths().report.c_str());
    Masq next;
    ASSERT_TRUE(next.WaitForStartUp());
    EXPECT_EQ(ReadFile(Paths().settings).value_or("").find("UserProxy"), std::string::npos);
    EXPECT_EQ(ReadFile(Paths().report).value_or("").find("proxy.example"), std::string::npos);
}

// An earlier version kept the user's proxy and its run's mark in masq.ini and crashed with the
// browsers on its proxy: the start moves them into the records, before the log copies masq.ini,
// and puts the user's proxy back.
TEST_F(BrowserProxyTest, AUsersProxyThatAnEarlierVersionKeptInTheSettingsIsMovedAndPutBack) {
    SetUsersOwnSystemProxy(kOurProxy);  // the crashed run's proxy over the user's own
    CreateDirectoryA(Paths().dataFolder.c_str(), nullptr);
    WriteFile(Paths().settings,
              "[Config]\r\nVersion=1.83\r\nFirstRun=0\r\n[UserProxy]\r\nLAN.Flags=3\r\n"
              "LAN.Server=proxy.example:8080\r\nLAN.Bypass=<local>\r\nLAN.Saved=1\r\n"
              "SetByProcess=4242\r\n[Bypass]\r\nCounter=0\r\n");
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), "proxy.example:8080");
    const std::vector<std::string> texts = masq.LogTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Remove Proxy settings of the last run"), texts.end());
    const std::string settings = ReadFile(Paths().settings).value_or("");
    EXPECT_EQ(settings.find("UserProxy"), std::string::npos) << settings;
    EXPECT_NE(settings.find("[Bypass]"), std::string::npos);
    EXPECT_EQ(ReadFile(Paths().report).value_or("").find("proxy.example"), std::string::npos);
    EXPECT_EQ(IniValue(Paths().userProxy, "UserProxy", "LAN.Saved"), "0");
}

// The program's watch puts the user's proxy back (tests/e2e/abrupt_end_test.cpp); the next run's
// start and its stop command leave it as it is.
TEST_F(BrowserProxyTest, AfterAProgramEndedFromOutsideTheUsersProxyIsBackAndTheNextRunLeavesIt) {
    SetUsersOwnProxyBesideTheSite();
    UseDirectoryAtStart();
    {
        Masq ended;
        ASSERT_TRUE(HiddenByTheTunnel(ended));
        ended.Process().Terminate();
        ASSERT_TRUE(ended.Process().WaitForExit(kUiTimeout));
        EXPECT_TRUE(SystemProxyIs(1, kUsersProxy));
    }
    InstallProgram();                     // the next start asks no directory
    DeleteFileA(Paths().report.c_str());  // and is seen by its own log header
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());
    masq.Command(TrayMenuItem::StopMasq1);
    ASSERT_TRUE(masq.WaitForLog("User stopped Masq"));
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), kUsersProxy);
}

TEST_F(BrowserProxyTest, BeforeWindowsVistaTheEndOfTheSessionPutsTheUsersProxyBack) {
    SetWindowsVersion("winxp64");
    SetUsersOwnProxyBesideTheSite();
    UseDirectoryAtStart();
    Masq masq;
    ASSERT_TRUE(HiddenByTheTunnel(masq));

    Program wineboot("wineboot.exe -e");  // Wine's end of the session
    EXPECT_EQ(wineboot.WaitForExit(kUiTimeout), 0u);
    EXPECT_TRUE(masq.Process().WaitForExit(kUiTimeout));
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), kUsersProxy);
}

TEST_F(BrowserProxyTest, TheTunnelsReadyLinePutsTheBrowsersOnItsLocalProxyAndOkAppliesAChangedMode) {
    StoreSettings(1);
    const Node& node = RunningNode();
    UseDirectoryAtStart();
    const std::string profile = MakeFirefoxProfile();
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    EXPECT_TRUE(SystemProxyIs(1, "socks=127.0.0.1:" + node.localPort));
    EXPECT_EQ(ReadFile(profile + "user.js"), SettingUserJs(node.localPort));

    // OK while the tunnel is up applies the new mode at once.
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);
    SendMessageA(FindChildById(form, IDC_RDG_FIREFOX_PLUGIN), BM_CLICK, 0, 0);
    Click(FindChildById(form, IDOK));
    EXPECT_TRUE(FileIs(
        pluginFile, "1\r\n-1\r\nUnited States #1\r\na.example,b.example,\r\n127.0.0.1\r\n" + node.localPort + "\r\n"));
    EXPECT_EQ(ReadFile(profile + "user.js"), kClearingUserJs);

    masq.Command(TrayMenuItem::Exit1);
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
    EXPECT_EQ(ProxyEnable(), 0u);
    EXPECT_EQ(ReadFile(pluginFile), "1\r\n0\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(BrowserProxyTest, FirefoxGetsUserJsInRestartModeAndTheStateFileInPluginMode) {
    StoreSettings(1);
    UseDirectoryAtStart();
    const std::string port = RunningNode().localPort;
    const std::string profile = MakeFirefoxProfile();
    Masq masq;
    ASSERT_TRUE(HiddenByTheTunnel(masq));
    EXPECT_TRUE(FileIs(profile + "user.js", SettingUserJs(port)));
    EXPECT_EQ(ReadFile(profile + "user.js.first"), kUsersOwnUserJs);
    masq.Command(TrayMenuItem::StopMasq1);
    EXPECT_TRUE(FileIs(profile + "user.js", kClearingUserJs));
    masq.Command(TrayMenuItem::Masq1);
    EXPECT_TRUE(FileIs(profile + "user.js", SettingUserJs(port)));
    EXPECT_EQ(ReadFile(profile + "user.js.first"), kUsersOwnUserJs) << "the backup is made once";
    EXPECT_FALSE(ReadFile(pluginFile));

    // "Plugin Mode" and OK: the user.js that turned the proxy on becomes the clearing form, for
    // Firefox to go direct at its next start, and the state file takes the proxy; the next OK
    // takes the program's user.js away and the user's own is back.
    HWND form = masq.OpenOptions();
    ASSERT_TRUE(form);
    EXPECT_EQ(TextOf(FindChildById(form, IDC_LBL_BYPASS)), kBypassLabel);
    SendMessageA(FindChildById(form, IDC_RDG_FIREFOX_PLUGIN), BM_CLICK, 0, 0);
    Click(FindChildById(form, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form); }));
    EXPECT_EQ(ReadFile(profile + "user.js"), kClearingUserJs);
    const std::string pluginOn = "1\r\n-1\r\nUnited States #1\r\na.example,b.example,\r\n127.0.0.1\r\n" + port + "\r\n";
    EXPECT_TRUE(FileIs(pluginFile, pluginOn));
    ASSERT_TRUE(masq.OpenOptions());
    Click(FindChildById(form, IDOK));
    EXPECT_TRUE(FileIs(profile + "user.js", kUsersOwnUserJs)) << "the user's own file back";
    EXPECT_EQ(ReadFile(profile + "user.js.first"), kUsersOwnUserJs);

    masq.Command(TrayMenuItem::StopMasq1);
    EXPECT_TRUE(FileIs(pluginFile, kPluginFileOff));
    masq.Command(TrayMenuItem::Masq1);
    EXPECT_TRUE(FileIs(pluginFile, pluginOn));
    masq.Command(TrayMenuItem::StopMasq1);
    EXPECT_TRUE(FileIs(pluginFile, kPluginFileOff));
    EXPECT_EQ(ReadFile(profile + "user.js"), kUsersOwnUserJs);
}

// Restart mode on today's Firefox: user.js goes into the profile Firefox starts with, never into
// the legacy one beside it; a user.js of the user's own there, with or without an older backup
// beside it, is kept while the program's file replaces it, back byte for byte after the session,
// and left by a later start.
TEST_F(BrowserProxyTest, RestartModeWritesTheProfileFirefoxUsesAndTheUsersOwnUserJsComesBack) {
    const std::string usersOwn = "// mine\r\nuser_pref(\"browser.startup.page\", 3);\nuser_pref(\"a\", \"b\");";
    for (bool olderBackup : {false, true}) {
        DeleteTree(AppDataFolder() + "Mozilla");
        StoreSettings(1);
        UseDirectoryAtStart();
        const auto [profile, legacy] = MakeCurrentFirefoxProfiles();
        WriteFile(profile + "user.js", usersOwn);
        if (olderBackup)
            WriteFile(profile + "user.js.first", kUsersOwnUserJs);
        const std::string backup = profile + (olderBackup ? "user.js.first.2" : "user.js.first");
        {
            Masq masq;
            ASSERT_TRUE(HiddenByTheTunnel(masq));
            EXPECT_TRUE(FileIs(profile + "user.js", SettingUserJs(RunningNode().localPort))) << olderBackup;
            EXPECT_EQ(ReadFile(backup), usersOwn) << olderBackup;
            masq.Command(TrayMenuItem::StopMasq1);
            EXPECT_TRUE(FileIs(profile + "user.js", kClearingUserJs)) << olderBackup;
            masq.Command(TrayMenuItem::Exit1);
            EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
            EXPECT_EQ(ReadFile(profile + "user.js"), usersOwn) << olderBackup;
        }
        InstallProgram();  // a later start that asks no directory, and clears as every start does
        Masq later;
        ASSERT_TRUE(later.WaitForStartUp());
        EXPECT_EQ(ReadFile(profile + "user.js"), usersOwn) << olderBackup;
        EXPECT_EQ(ReadFile(profile + "user.js.first"), olderBackup ? kUsersOwnUserJs : usersOwn) << olderBackup;
        EXPECT_FALSE(ReadFile(profile + "user.js.first.2")) << olderBackup;
        EXPECT_FALSE(ReadFile(legacy + "user.js")) << "the legacy profile, which Firefox does not use";
    }
}

// A local SOCKS proxy of the user's own (an SSH tunnel's -D 1080, say) is none of the program's:
// a start leaves it, and a session puts it back.
TEST_F(BrowserProxyTest, AUsersOwnLoopbackSocksProxyStaysAtTheStartAndIsBackAfterASession) {
    SetUsersOwnSystemProxy("socks=127.0.0.1:1080");
    {
        Masq masq;
        ASSERT_TRUE(masq.WaitForStartUp());
        EXPECT_EQ(ProxyEnable(), 1u);
        EXPECT_EQ(ProxyServer(), "socks=127.0.0.1:1080");
    }
    UseDirectoryAtStart();
    Masq masq;
    ASSERT_TRUE(HiddenByTheTunnel(masq));
    masq.Command(TrayMenuItem::Exit1);
    EXPECT_EQ(masq.Process().WaitForExit(kUiTimeout), 0u);
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), "socks=127.0.0.1:1080");
}

}  // namespace
}  // namespace e2e
