#include "app/proxy_watch.h"

#include <gtest/gtest.h>

#include "proxy/browser_proxy_configuration.h"
#include "proxy/firefox_files.h"
#include "tests/fakes/fake_browser_files.h"
#include "tests/fakes/fake_connection_options.h"
#include "tests/fakes/fake_dial_up_connections.h"
#include "tests/fakes/fake_folder_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_os_info.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_window_titles.h"

namespace {

TEST(WatchCommandLine, EachStageHasItsOptionAndTheHandleAndIsReadBack) {
    const std::string exe = "C:\\Program Files\\Masq NG\\masqng.exe";
    const struct {
        WatchRequest request;
        std::string commandLine;
    } cases[] = {
        {{WatchStage::Launcher, 1236}, "\"C:\\Program Files\\Masq NG\\masqng.exe\" -start-watch 1236"},
        {{WatchStage::Watch, 0xFFFFFFFFFFFFFFFF},
         "\"C:\\Program Files\\Masq NG\\masqng.exe\" -watch 18446744073709551615"},
    };
    for (const auto& c : cases) {
        const std::string line = WatchCommandLine(exe, c.request);
        EXPECT_EQ(line, c.commandLine);
        // WinMain's arguments: what follows the quoted program name and its blank.
        EXPECT_EQ(ParseWatchArguments(std::string_view(line).substr(exe.size() + 3)), c.request) << line;
    }
}

TEST(WatchCommandLine, AnythingElseStartsTheProgramItself) {
    for (const char* arguments :
         {"", "-watch", "-watch ", "-watch x", "-watch 12 3", "-watch -1", "-watch 0", "-watch 99999999999999999999",
          "-watchdog 5", "/watch 5", "-WATCH 5", " -watch 5", "-start-watch", "-silent"})
        EXPECT_EQ(ParseWatchArguments(arguments), std::nullopt) << arguments;
}

// A program that crashed with the browsers on its proxy, over the user's own LAN proxy, in
// "Restart Firefox" mode with a Firefox window open (the watch has no one to tell to restart it).
class ClearAfterProgramEndTest : public testing::Test {
  protected:
    ClearAfterProgramEndTest() {
        files.entries[kProfiles + "*.default"] = {{"p.default"}};
        options.connections[""] = own;
        settings.Seed("Config", "FirefoxControlMode", "1");
        windows.titles = {"Start Page - Mozilla Firefox"};
        ProgramValues values;
        values.AppDataFolder = "C:\\Users\\me\\AppData\\Roaming\\";
        values.TempFolder = "C:\\Users\\me\\Temp\\";
        const SessionValues session;
        BrowserProxyConfiguration crashed(
            values, session, BrowserProxyPorts{options, dialUp, files, windows, settings, records, messages}, 111);
        crashed.SetBrowserProxy(true, "127.0.0.1:7070", "", "", true);
    }
    bool Clear(std::uint32_t programId) {
        return ClearAfterProgramEnd(WatchPorts{folders, os, settings, records, options, dialUp, files, windows},
                                    programId);
    }

    const std::string kProfiles = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\";
    const ConnectionProxy own{kProxyTypeProxy, "proxy.example:8080", ""};
    FakeFolderSystem folders;
    FakeOsInfo os;
    FakeSettingsStore settings;
    FakeSettingsStore records;
    FakeConnectionOptions options;
    FakeDialUpConnections dialUp;
    FakeBrowserFiles files;
    FakeWindowTitles windows;
    FakeMessageBoxes messages;  // the crashed program's
};

TEST_F(ClearAfterProgramEndTest, TheEndedProgramsProxyGoesAndItsMarkStaysForTheNextStart) {
    ASSERT_TRUE(Clear(111));
    EXPECT_EQ(settings.path, "C:\\Users\\me\\AppData\\Roaming\\Masq NG\\masq.ini");
    EXPECT_EQ(records.path, "C:\\Users\\me\\AppData\\Roaming\\Masq NG\\userproxy.ini");
    EXPECT_EQ(options.connections[""], own);
    EXPECT_EQ(files.Read(kProfiles + "p.default\\user.js"), UserJsText(false, "", ""));
    EXPECT_EQ(records.Raw("UserProxy", "SetByProcess"), "111");
}

TEST_F(ClearAfterProgramEndTest, AnotherProgramsProxyIsLeftAsItIs) {
    EXPECT_FALSE(Clear(222));
    EXPECT_EQ(options.connections[""].server, "socks=127.0.0.1:7070");
    EXPECT_EQ(files.Read(kProfiles + "p.default\\user.js"), UserJsText(true, "127.0.0.1:7070", ""));
}

}  // namespace
