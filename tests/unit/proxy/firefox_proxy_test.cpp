#include "proxy/firefox_proxy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "proxy/firefox_files.h"
#include "tests/fakes/fake_browser_files.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_window_titles.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kProfiles[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\";
const char kSearch[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\*.default";
const char kProfile[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\";
const char kUserJs[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\user.js";
const char kBackup[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\user.js.first";
const char kPrefsJs[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\prefs.js";
const char kPluginFile[] = "C:\\Users\\me\\Temp\\masq.tmp";
const char kUsersOwn[] = "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n";
const char kFirefoxHoldsProxy[] =
    "user_pref(\"network.proxy.socks\", \"127.0.0.1\");\nuser_pref(\"network.proxy.socks_port\", 7070);\n"
    "user_pref(\"network.proxy.type\", 1);\n";

const std::string kOn = UserJsText(true, "127.0.0.1:7070", "a.example,");
const std::string kOff = UserJsText(false, "", "");

class FirefoxProxyTest : public testing::Test {
  protected:
    FirefoxProxyTest() {
        values.AppDataFolder = "C:\\Users\\me\\AppData\\Roaming\\";
        values.TempFolder = "C:\\Users\\me\\Temp\\";
        values.InternalPort = "7070";
        files.entries[kSearch] = {{"x1y2.default"}};
    }
    void SetUserJs(bool enable) {
        firefox.WriteFirefoxUserJs(enable, enable ? "127.0.0.1:7070" : "", "", enable ? "a.example," : "");
    }

    ProgramValues values;
    FakeBrowserFiles files;
    FakeWindowTitles windows;
    FakeMessageBoxes messages;
    FirefoxProxy firefox{values, FirefoxPorts{files, windows, messages}};
};

TEST_F(FirefoxProxyTest, TheProfileIsTheFirstDefaultEntryThatIsNeitherHiddenNorSystem) {
    files.entries[kSearch] = {
        {"hidden.default", true, false}, {"system.default", false, true}, {"b.default"}, {"a.default"}};
    EXPECT_EQ(firefox.GetFirefoxProfileFolder(), std::string(kProfiles) + "b.default\\");
    files.entries[kSearch] = {{"hidden.default", true, false}};
    EXPECT_EQ(firefox.GetFirefoxProfileFolder(), "");
}

// profiles.ini names the profile a current Firefox starts with; the "*.default" search only
// stands in for it when it names no profile folder that exists.
TEST_F(FirefoxProxyTest, TheProfileIsTheFirstFolderProfilesIniNamesThatExistsThenTheDefaultSearch) {
    const std::string firefoxFolder = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\";
    files.files[firefoxFolder + "installs.ini"] = "[308046B0AF4A39CB]\nDefault=Profiles/gone.default-release\n";
    files.files[firefoxFolder + "profiles.ini"] =
        "[Install308046B0AF4A39CB]\nDefault=Profiles/ab12.default-release\n"
        "[Profile0]\nName=default\nIsRelative=1\nPath=Profiles/x1y2.default\nDefault=1\n";
    files.folders = {std::string(kProfiles) + "ab12.default-release\\", kProfile};
    EXPECT_EQ(firefox.GetFirefoxProfileFolder(), std::string(kProfiles) + "ab12.default-release\\");
    files.folders = {kProfile};
    EXPECT_EQ(firefox.GetFirefoxProfileFolder(), kProfile);
    files.folders.clear();
    files.entries[kSearch] = {{"legacy.default"}};
    EXPECT_EQ(firefox.GetFirefoxProfileFolder(), std::string(kProfiles) + "legacy.default\\")
        << "no folder it names exists";
}

TEST_F(FirefoxProxyTest, WithoutAProfileNothingIsWrittenOrShown) {
    files.entries.clear();
    SetUserJs(true);
    firefox.DeleteFirefoxUserJs();
    EXPECT_THAT(files.files, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(FirefoxProxyTest, UserJsIsWrittenWholeAndTheUsersFirstFileIsKeptOnce) {
    files.files[kUserJs] = kUsersOwn;
    SetUserJs(true);
    EXPECT_EQ(files.files[kUserJs], kOn);
    EXPECT_EQ(files.files[kBackup], kUsersOwn);
    SetUserJs(false);
    EXPECT_EQ(files.files[kUserJs], kOff);
    EXPECT_EQ(files.files[kBackup], kUsersOwn);
    EXPECT_THAT(messages.shown, IsEmpty()) << "no Firefox window is open";
}

TEST_F(FirefoxProxyTest, AnOpenFirefoxWindowIsAskedToRestartOnSettingAndClearing) {
    windows.titles = {"Start", "Example Domain - MOZILLA Firefox", "Wine System Tray"};
    for (bool enable : {true, false}) {
        messages.shown.clear();
        SetUserJs(enable);
        ASSERT_EQ(messages.shown.size(), 1u) << enable;
        EXPECT_EQ(messages.shown[0].caption, "Masq NG");
        EXPECT_EQ(messages.shown[0].text, "Please Restart all Firefox windows in order to make Masq NG take effect.");
        EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
        EXPECT_EQ(messages.shown[0].buttons, kButtonsOK);
    }
}

TEST_F(FirefoxProxyTest, AUserJsThatCannotBeReplacedIsToldOnceAndTheCallEnds) {
    windows.titles = {"Mozilla Firefox"};
    files.files[kUserJs] = kUsersOwn;
    files.undeletable.insert(kUserJs);
    files.unwritable.insert(kUserJs);
    SetUserJs(true);
    EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);

    // A delete that fails while the write goes through: the error, then the notice.
    messages.shown.clear();
    files.unwritable.clear();
    SetUserJs(true);
    EXPECT_EQ(files.files[kUserJs], kOn);
    EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!",
                                     "Please Restart all Firefox windows in order to make Masq NG take effect."));
}

TEST_F(FirefoxProxyTest, FindWindowByTitleComparesAsciiLettersOnlyWithinTheSystemsLimits) {
    windows.titles = {
        "\xC4"
        "BC",
        "Page - Mozilla Firefox"};
    EXPECT_TRUE(firefox.FindWindowByTitle("mozilla FIREFOX"));
    EXPECT_TRUE(
        firefox.FindWindowByTitle("\xC4"
                                  "bc"));
    EXPECT_FALSE(
        firefox.FindWindowByTitle("\xE4"
                                  "bc"))
        << "no case outside A to Z";
    EXPECT_EQ(windows.askedWindows, 1001u);
    EXPECT_EQ(windows.askedLength, 254u);
    windows.titles = {std::string(250, 'x') + "Mozilla Firefox"};
    EXPECT_FALSE(firefox.FindWindowByTitle("Mozilla Firefox")) << "past the 254th character";
}

TEST_F(FirefoxProxyTest, ThePluginFileGoesToTheTemporaryFolder) {
    firefox.WriteFirefoxPluginFile(true, "127.0.0.1:7070", "Europe #1", "a.example;b.example,");
    EXPECT_EQ(files.files[kPluginFile], "1\r\n-1\r\nEurope #1\r\na.example,b.example,\r\n127.0.0.1\r\n7070\r\n");
    firefox.WriteFirefoxPluginFile(false, "", "", "");
    EXPECT_EQ(files.files[kPluginFile], "1\r\n0\r\n\r\n\r\n\r\n\r\n");
    values.TempFolder.clear();
    files.files.clear();
    firefox.WriteFirefoxPluginFile(true, "127.0.0.1:7070", "Europe #1", "");
    EXPECT_THAT(files.files, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(FirefoxProxyTest, DeleteFirefoxUserJsTakesAwayOnlyWhatFirefoxNoLongerNeeds) {
    struct Case {
        const char* name;
        std::string userJs;
        std::string prefsJs;
        std::vector<std::string> windows;
        std::optional<std::string> after;  // user.js afterwards
    };
    const Case cases[] = {
        {"the clearing form, Firefox closed and direct", kOff, "", {}, std::nullopt},
        {"the proxy on: Firefox goes direct at its next start", kOn, "", {}, kOff},
        {"Firefox still records the local proxy", kOff, kFirefoxHoldsProxy, {}, kOff},
        {"Firefox runs", kOff, "", {"Mozilla Firefox"}, kOff},
        {"the user's own file", kUsersOwn, "", {}, kUsersOwn},
    };
    for (const Case& c : cases) {
        files.files = {{kUserJs, c.userJs}, {kBackup, kUsersOwn}};
        if (!c.prefsJs.empty())
            files.files[kPrefsJs] = c.prefsJs;
        windows.titles = c.windows;
        firefox.DeleteFirefoxUserJs();
        EXPECT_EQ(files.Read(kUserJs), c.after) << c.name;
        EXPECT_EQ(files.files[kBackup], kUsersOwn) << c.name;
        EXPECT_THAT(messages.shown, IsEmpty()) << c.name;
    }
}

TEST_F(FirefoxProxyTest, AUserJsThatCannotBeTakenAwayIsTold) {
    for (auto* refusing : {&files.undeletable, &files.unwritable, &files.unreadable}) {
        files.files = {{kUserJs, refusing == &files.unwritable ? kOn : kOff}};
        refusing->insert(kUserJs);
        messages.shown.clear();
        firefox.DeleteFirefoxUserJs();
        EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
        refusing->clear();
    }
    files.files.clear();
    messages.shown.clear();
    firefox.DeleteFirefoxUserJs();
    EXPECT_THAT(messages.shown, IsEmpty()) << "no user.js";
}

}  // namespace
