#include "proxy/browser_proxy_configuration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "proxy/bypass_list.h"
#include "proxy/firefox_files.h"
#include "proxy/proxy_mark.h"
#include "proxy/user_proxy_store.h"
#include "tests/fakes/fake_browser_files.h"
#include "tests/fakes/fake_connection_options.h"
#include "tests/fakes/fake_dial_up_connections.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_window_titles.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kSearch[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\*.default";
const char kUserJs[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\p.default\\user.js";
const char kPluginFile[] = "C:\\Users\\me\\Temp\\masq.tmp";

class BrowserProxyConfigurationTest : public testing::Test {
  protected:
    BrowserProxyConfigurationTest() {
        values.AppDataFolder = "C:\\Users\\me\\AppData\\Roaming\\";
        values.TempFolder = "C:\\Users\\me\\Temp\\";
        values.InternalPort = "7070";
        files.entries[kSearch] = {{"p.default"}};
        session.CurrentServer = TServer{"#3 Masq Node", "127.0.0.2", 12, 3, false};
    }
    void On(BrowserProxyConfiguration& run) {
        run.SetBrowserProxy(true, "127.0.0.1:7070", "Europe #1", "a.example,", true);
    }
    void On() { On(proxy); }
    void Off() { proxy.SetBrowserProxy(false, "", "", "", true); }
    std::uint32_t LanFlags() { return options.connections[""].flags; }
    // Another run of the program on the same system and settings file.
    BrowserProxyConfiguration Run(std::uint32_t processId) {
        return {values, session, BrowserProxyPorts{options, dialUp, files, windows, settings, records, messages},
                processId};
    }
    std::optional<std::string> Mark() { return records.Raw("UserProxy", "SetByProcess"); }

    ProgramValues values;
    SessionValues session;
    FakeConnectionOptions options;
    FakeDialUpConnections dialUp;
    FakeBrowserFiles files;
    FakeWindowTitles windows;
    FakeSettingsStore settings;
    FakeSettingsStore records;
    FakeMessageBoxes messages;
    BrowserProxyConfiguration proxy = Run(4242);
};

TEST_F(BrowserProxyConfigurationTest, ByDefaultTheSystemProxyAndThePluginFileAreSet) {
    On();
    EXPECT_EQ(options.connections[""], (ConnectionProxy{kProxyTypeProxy, "socks=127.0.0.1:7070", "a.example,"}));
    EXPECT_EQ(files.files[kPluginFile], PluginFileText(true, "127.0.0.1:7070", "Europe #1", "a.example,"));
    EXPECT_FALSE(files.FileExists(kUserJs));
    Off();
    EXPECT_EQ(LanFlags(), kProxyTypeDirect);
    EXPECT_EQ(files.files[kPluginFile], PluginFileText(false, "", "", ""));
}

TEST_F(BrowserProxyConfigurationTest, WithInternetExplorerUnselectedEvenASettingCallClearsTheSystemProxy) {
    On();  // the system proxy is the program's; then the user unselects Internet Explorer
    settings.Seed("Config", "BrowserIE", "0");
    options.lists.clear();
    On();
    EXPECT_THAT(options.lists,
                ElementsAre(ConnectionOptionList{"",
                                                 {{ConnectionOptionId::Flags, kProxyTypeDirect},
                                                  {ConnectionOptionId::ProxyServer, std::string("socks=")}}}));
    EXPECT_TRUE(files.FileExists(kPluginFile)) << "Firefox goes by its own setting";
}

TEST_F(BrowserProxyConfigurationTest, TheFirefoxSettingsAreReadAtEveryCall) {
    struct Case {
        const char* browserFirefox;
        const char* mode;
        bool userJs;
        bool pluginFile;
    };
    const Case cases[] = {
        {"1", "0", false, true}, {"1", "1", true, false},  {"1", "2", false, true},
        {"1", "x", false, true}, {"0", "1", false, false},
    };
    for (const Case& c : cases) {
        settings.Seed("Config", "BrowserFirefox", c.browserFirefox);
        settings.Seed("Config", "FirefoxControlMode", c.mode);
        files.files.clear();
        On();
        EXPECT_EQ(files.Read(kUserJs),
                  c.userJs ? std::optional(UserJsText(true, "127.0.0.1:7070", "a.example,")) : std::nullopt)
            << c.browserFirefox << " " << c.mode;
        EXPECT_EQ(files.FileExists(kPluginFile), c.pluginFile) << c.browserFirefox << " " << c.mode;
        EXPECT_EQ(LanFlags(), kProxyTypeProxy);
    }
}

TEST_F(BrowserProxyConfigurationTest, ApplyProxySettingsTakesTheStoredSitesTheNodeAndTheLocalPort) {
    values.InternalPort = "8080";
    settings.Seed("Bypass", "Counter", "3");
    settings.Seed("Bypass", "1", "a.example");
    settings.Seed("Bypass", "2", "b.example;c.example");
    proxy.ApplyProxySettings();
    EXPECT_EQ(options.connections[""],
              (ConnectionProxy{kProxyTypeProxy, "socks=127.0.0.1:8080", "a.example,b.example;c.example,,"}));
    EXPECT_EQ(files.files[kPluginFile],
              "1\r\n-1\r\nUnited States - Dallas #3\r\na.example,b.example,c.example,,\r\n127.0.0.1\r\n8080\r\n");
}

TEST_F(BrowserProxyConfigurationTest, BeforeAnyNodeWasChosenTheLabelIsEmpty) {
    session.CurrentServer.reset();
    proxy.ApplyProxySettings();
    EXPECT_EQ(files.files[kPluginFile], "1\r\n-1\r\n\r\n\r\n127.0.0.1\r\n7070\r\n");
    EXPECT_THAT(options.lists[0].options, ::testing::SizeIs(2)) << "no sites: no bypass option";
}

TEST_F(BrowserProxyConfigurationTest, TheRunIsMarkedBeforeTheFirstChangeAndTheMarkGoesWithTheClearing) {
    std::optional<std::string> markWhenSet;
    options.onSet = [&](const ConnectionOptionList&) { markWhenSet = Mark(); };
    On();
    EXPECT_EQ(markWhenSet, "4242");
    EXPECT_TRUE(proxy.BrowsersOnProxy());
    options.onSet = nullptr;
    Off();
    EXPECT_FALSE(proxy.BrowsersOnProxy());
    EXPECT_EQ(Mark(), "");
    EXPECT_FALSE(proxy.MendLeftProxy()) << "a run that cleared leaves nothing to mend";

    FakeSettingsStore untouched;
    ProxyMark(untouched).Remove();
    EXPECT_EQ(untouched.Writes(), 0) << "a clearing writes no mark into a file that never had one";
}

// A run that crashed with the browsers on its proxy, over the user's own proxy: the next start
// finds its mark and puts everything back once.
TEST_F(BrowserProxyConfigurationTest, TheMarkOfARunThatEndedWithoutClearingIsMendedAtTheNextStart) {
    const ConnectionProxy own{kProxyTypeProxy, "proxy.example:8080", "<local>"};
    options.connections[""] = own;
    BrowserProxyConfiguration crashed = Run(111);
    On(crashed);

    BrowserProxyConfiguration next = Run(222);
    EXPECT_TRUE(next.BrowsersOnProxy());
    EXPECT_TRUE(next.MendLeftProxy());
    EXPECT_EQ(options.connections[""], own);
    EXPECT_EQ(files.files[kPluginFile], PluginFileText(false, "", "", ""));
    EXPECT_EQ(Mark(), "");
    EXPECT_FALSE(next.BrowsersOnProxy());
    EXPECT_FALSE(next.MendLeftProxy());
}

// A loopback proxy of the user's own (an SSH tunnel's SOCKS port, another tool's, even one at the
// program's port) is never taken for the program's: only its exact port while the mark says the
// browsers are on it.
TEST_F(BrowserProxyConfigurationTest, TheProgramsProxyIsItsExactPortAndOnlyWhileTheMarkSaysSo) {
    for (const char* users : {"socks=127.0.0.1:1080", "socks=127.0.0.1:7070"}) {
        const ConnectionProxy own{kProxyTypeProxy, users, ""};
        options.connections[""] = own;
        Off();  // the start's clearing
        EXPECT_EQ(options.connections[""], own) << users;
        On();
        Off();
        EXPECT_EQ(options.connections[""], own) << users;
    }
    // A run that crashed on its proxy and lost its record: the next start's mend clears it, and
    // a proxy at another port is left as someone else's.
    for (const char* left : {"socks=127.0.0.1:7070", "socks=127.0.0.1:7071"}) {
        records = {};
        options.connections[""] = {kProxyTypeProxy, left, ""};
        records.Seed("UserProxy", "SetByProcess", "111");
        EXPECT_TRUE(Run(222).MendLeftProxy());
        EXPECT_EQ(LanFlags() == kProxyTypeDirect, std::string(left).ends_with(":7070")) << left;
    }
}

// The watch of a run that ended, or a run that is crashing, clears for that run only, and keeps
// the mark for the next start to tell of it.
TEST_F(BrowserProxyConfigurationTest, ClearingForAnEndedRunTakesOnlyThatRunsProxyAndKeepsItsMark) {
    const struct {
        const char* name;
        std::optional<std::uint32_t> setBy;  // the run whose proxy the browsers are on
        std::uint32_t ended;
        bool cleared;
    } cases[] = {
        {"the ended run's proxy", 111, 111, true},
        {"a later run's proxy", 222, 111, false},
        {"no proxy of the program's", std::nullopt, 111, false},
    };
    for (const auto& c : cases) {
        records = {};
        options = {};
        files.files.clear();
        if (c.setBy) {
            BrowserProxyConfiguration setter = Run(*c.setBy);
            On(setter);
        }
        const FakeConnectionOptions before = options;
        const auto filesBefore = files.files;

        EXPECT_EQ(Run(0).ClearForEndedRun(c.ended), c.cleared) << c.name;
        EXPECT_EQ(LanFlags() == kProxyTypeDirect, c.cleared || !c.setBy) << c.name;
        EXPECT_EQ(options.lists.size() > before.lists.size(), c.cleared) << c.name;
        EXPECT_EQ(files.files != filesBefore, c.cleared) << c.name;
        EXPECT_EQ(Mark(), c.setBy ? std::optional(std::to_string(*c.setBy)) : std::nullopt) << c.name;
    }
}

TEST(ProxyMark, EmptyOrZeroIsNoMarkAndAnythingElseIsARunsMark) {
    const struct {
        const char* stored;
        std::optional<std::uint32_t> owner;
    } cases[] = {
        {"", std::nullopt}, {"0", std::nullopt}, {"4242", 4242u}, {"4242x", 0u}, {"-1", 0u}, {"99999999999", 0u},
    };
    for (const auto& c : cases) {
        FakeSettingsStore settings;
        settings.Seed("UserProxy", "SetByProcess", c.stored);
        EXPECT_EQ(ProxyMark(settings).Owner(), c.owner) << c.stored;
    }
    FakeSettingsStore settings;
    ProxyMark mark(settings);
    EXPECT_EQ(mark.Owner(), std::nullopt) << "a settings file without one";
    mark.Set(7);
    EXPECT_EQ(mark.Owner(), 7u);
    mark.Remove();
    EXPECT_EQ(mark.Owner(), std::nullopt);
}

TEST(MoveUserProxyRecords, TheSectionOfAnEarlierVersionMovesWholeOverTheRecordsAndLeavesTheSettings) {
    FakeSettingsStore settings, records;
    settings.Seed("Config", "Version", "1.83");
    settings.Seed("UserProxy", "LAN.Flags", "3");
    settings.Seed("UserProxy", "Dial-up Office%20VPN.Saved", "1");
    settings.Seed("UserProxy", "SetByProcess", "111");
    records.Seed("UserProxy", "LAN.Flags", "1");
    records.Seed("UserProxy", "LAN.Saved", "0");
    MoveUserProxyRecords(settings, records);
    EXPECT_EQ(records.Raw("UserProxy", "LAN.Flags"), "3") << "only a run of that version wrote it since";
    EXPECT_EQ(records.Raw("UserProxy", "LAN.Saved"), "0");
    EXPECT_EQ(records.Raw("UserProxy", "Dial-up Office%20VPN.Saved"), "1");
    EXPECT_EQ(records.Raw("UserProxy", "SetByProcess"), "111");
    EXPECT_THAT(settings.KeysOf("UserProxy"), IsEmpty());
    EXPECT_EQ(settings.Raw("Config", "Version"), "1.83");

    const int writes = records.Writes() + settings.Writes();
    MoveUserProxyRecords(settings, records);
    EXPECT_EQ(records.Writes() + settings.Writes(), writes) << "nothing to move, nothing written";
}

TEST(BypassText, EveryLineFollowedByAComma) {
    EXPECT_EQ(BypassText({}), "");
    EXPECT_EQ(BypassText({"a.example", "b.example"}), "a.example,b.example,");
    EXPECT_EQ(BypassText({"a.example", "", " b "}), "a.example,, b ,");
}

}  // namespace
