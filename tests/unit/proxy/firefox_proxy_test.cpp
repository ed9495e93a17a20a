#include "proxy/firefox_proxy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "proxy/firefox_files.h"
#include "tests/fakes/fake_browser_files.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_window_titles.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kProfiles[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\";
const char kSearch[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\*.default";
const char kProfile[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\";
const char kUserJs[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\user.js";
const char kBackup[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\user.js.first";
const char kSecondBackup[] =
    "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\user.js.first.2";
const char kPrefsJs[] = "C:\\Users\\me\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\x1y2.default\\prefs.js";
const char kPluginFile[] = "C:\\Users\\me\\Temp\\masq.tmp";
const char kUsersOwn[] = "user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n";
const char kUsersEarlier[] = "// an earlier file of the user's\nuser_pref(\"browser.startup.page\", 3);\n";
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

    // A session: the proxy on, then off at Stop and again at Exit.
    void Session() {
        SetUserJs(true);
        SetUserJs(false);
        SetUserJs(false);
    }

    ProgramValues values;
    FakeBrowserFiles files;
    FakeWindowTitles windows;
    FakeMessageBoxes messages;
    FakeSettingsStore records;
    FirefoxProxy firefox{values, FirefoxPorts{files, windows, messages, records}};
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

// The user's own user.js is kept before the program's replaces it, and back byte for byte once
// the program's has gone: the clearing form first (Firefox may have read the proxy from it), then,
// with Firefox closed and direct, the user's file.
TEST_F(FirefoxProxyTest, TheUsersOwnUserJsIsKeptAndComesBackByteForByte) {
    files.files[kUserJs] = kUsersOwn;
    SetUserJs(true);
    EXPECT_EQ(files.files[kUserJs], kOn);
    EXPECT_EQ(files.files[kBackup], kUsersOwn);
    SetUserJs(true);
    EXPECT_EQ(files.files[kBackup], kUsersOwn) << "kept once";
    SetUserJs(false);
    EXPECT_EQ(files.files[kUserJs], kOff);
    SetUserJs(false);
    EXPECT_EQ(files.Read(kUserJs), kUsersOwn);
    EXPECT_EQ(files.Read(kBackup), kUsersOwn) << "the first file found stays beside it";
    EXPECT_THAT(messages.shown, IsEmpty()) << "no Firefox window is open";

    // A user without a user.js has none again.
    files.files.clear();
    Session();
    EXPECT_THAT(files.files, IsEmpty());
}

// An older backup is never written over: the user's current file is kept under the next free
// name, which goes again once the file is back.
TEST_F(FirefoxProxyTest, AnOlderBackupStaysAndTheUsersCurrentFileIsKeptBesideIt) {
    files.files = {{kUserJs, kUsersOwn}, {kBackup, kUsersEarlier}};
    SetUserJs(true);
    EXPECT_EQ(files.files[kSecondBackup], kUsersOwn);
    SetUserJs(false);
    SetUserJs(false);
    EXPECT_EQ(files.files,
              (std::map<std::string, std::string, std::less<>>{{kUserJs, kUsersOwn}, {kBackup, kUsersEarlier}}));

    // Every name taken: the user's file stays as it is and Firefox is not set.
    for (int n = 2; n <= 9; ++n)
        files.files[std::string(kBackup) + "." + std::to_string(n)] = kUsersEarlier;
    SetUserJs(true);
    EXPECT_EQ(files.files[kUserJs], kUsersOwn);
    EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
}

// Only a backup that reads back as the user's file counts: otherwise nothing replaces it.
TEST_F(FirefoxProxyTest, AUserJsThatCannotBeKeptIsNotReplaced) {
    for (auto* refusing : {&files.unwritable, &files.unreadable}) {
        files.files = {{kUserJs, kUsersOwn}};
        refusing->insert(refusing == &files.unwritable ? kBackup : kUserJs);
        messages.shown.clear();
        SetUserJs(true);
        EXPECT_EQ(files.files[kUserJs], kUsersOwn);
        EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
        EXPECT_EQ(records.Raw("UserProxy", "Firefox.Saved"), std::nullopt);
        refusing->clear();
    }
}

// The clearing at every start, and every clearing while the program has not put Firefox on its
// proxy, leaves a user.js of the user's own as it is, an older backup beside it or not.
TEST_F(FirefoxProxyTest, ClearingLeavesAUsersOwnUserJsAlone) {
    for (bool olderBackup : {false, true}) {
        files.files = {{kUserJs, kUsersOwn}};
        if (olderBackup)
            files.files[kBackup] = kUsersEarlier;
        const auto before = files.files;
        SetUserJs(false);
        firefox.DeleteFirefoxUserJs();
        EXPECT_EQ(files.files, before) << olderBackup;
    }
    EXPECT_THAT(messages.shown, IsEmpty());
}

// The program's file taken away by hand: the user's own comes back at the next clearing.
TEST_F(FirefoxProxyTest, AProgramsUserJsTakenAwayByHandBringsTheUsersOwnBack) {
    files.files = {{kUserJs, kUsersOwn}, {kBackup, kUsersEarlier}};
    SetUserJs(true);
    files.files.erase(kUserJs);
    SetUserJs(false);
    EXPECT_EQ(files.Read(kUserJs), kUsersOwn);
    EXPECT_FALSE(files.FileExists(kSecondBackup));
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
    files.unwritable.insert(kUserJs);
    SetUserJs(true);
    EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(files.files[kUserJs], kUsersOwn);
    EXPECT_EQ(files.files[kBackup], kUsersOwn);
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
    EXPECT_THAT(messages.shown, IsEmpty());

    // A state file that cannot be written is told: the tray's on state would say otherwise.
    files.unwritable.insert(kPluginFile);
    firefox.WriteFirefoxPluginFile(true, "127.0.0.1:7070", "Europe #1", "");
    EXPECT_THAT(messages.Texts(), ElementsAre("Can not change Firefox proxy settings!"));
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);

    messages.shown.clear();
    values.TempFolder.clear();
    files.files.clear();
    firefox.WriteFirefoxPluginFile(true, "127.0.0.1:7070", "Europe #1", "");
    EXPECT_THAT(files.files, IsEmpty());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(FirefoxProxyTest, DeleteFirefoxUserJsTakesAwayOnlyWhatFirefoxNoLongerNeeds) {
    // The files of an earlier version, which kept the user's file as ".first" and never put it
    // back: no record of the program's names them.
    struct Case {
        const char* name;
        std::string userJs;
        std::string prefsJs;
        std::vector<std::string> windows;
        std::optional<std::string> after;  // user.js afterwards
    };
    const Case cases[] = {
        {"the clearing form, Firefox closed and direct: the user's file back", kOff, "", {}, kUsersOwn},
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
    files.files = {{kUserJs, kOff}};
    firefox.DeleteFirefoxUserJs();
    EXPECT_THAT(files.files, IsEmpty()) << "no file of the user's to put back";
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
