#include "proxy/browser_proxy_configuration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "proxy/bypass_list.h"
#include "proxy/firefox_files.h"
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
    void On() { proxy.SetBrowserProxy(true, "127.0.0.1:7070", "Europe #1", "a.example,", true); }
    void Off() { proxy.SetBrowserProxy(false, "", "", "", true); }
    std::uint32_t LanFlags() { return options.connections[""].flags; }

    ProgramValues values;
    SessionValues session;
    FakeConnectionOptions options;
    FakeDialUpConnections dialUp;
    FakeBrowserFiles files;
    FakeWindowTitles windows;
    FakeSettingsStore settings;
    FakeMessageBoxes messages;
    BrowserProxyConfiguration proxy{values, session,
                                    BrowserProxyPorts{options, dialUp, files, windows, settings, messages}};
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
    settings.Seed("Config", "BrowserIE", "0");
    options.connections[""] = {kProxyTypeProxy, "socks=127.0.0.1:7070", ""};
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

TEST(BypassText, EveryLineFollowedByAComma) {
    EXPECT_EQ(BypassText({}), "");
    EXPECT_EQ(BypassText({"a.example", "b.example"}), "a.example,b.example,");
    EXPECT_EQ(BypassText({"a.example", "", " b "}), "a.example,, b ,");
}

}  // namespace
