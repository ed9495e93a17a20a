#include "app/main_logic.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/text_lines.h"
#include "settings/report_log.h"
#include "tests/fakes/fake_folder_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_os_info.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_report_clock.h"
#include "tests/fakes/fake_report_file.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/fake_shell.h"
#include "tests/unit/app/recording_main_form.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

namespace {

const char kDataFolder[] = "C:\\Users\\me\\AppData\\Roaming\\Masq NG\\";
const char kSettingsPath[] = "C:\\Users\\me\\AppData\\Roaming\\Masq NG\\masq.ini";
const char kStamp[] = "[ 21:34:05:123 2026/12/07 ] ";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class MainLogicTest : public ::testing::Test {
  protected:
    MainLogicTest() {
        folders.folders.insert("C:\\Users\\me\\AppData\\Roaming");
        folders.files["C:\\Program Files\\Masq NG\\default.skn"] = "[Colors]\r\n";
        registry.values[{RegistryRoot::ClassesRoot, "http\\shell\\open\\command", ""}] = "\"browser.exe\" \"%1\"";
    }

    // The settings file as the header copies it: what the fake store holds, read back by the folders.
    void MirrorSettingsFile(const std::string& text) { folders.files[kSettingsPath] = text; }
    Lines LogLines() { return SplitLines(reportFile.contents); }
    std::vector<std::string> LogTexts() {
        std::vector<std::string> texts;
        for (const std::string& line : LogLines())
            if (line.rfind(kStamp, 0) == 0)
                texts.push_back(line.substr(sizeof(kStamp) - 1));
        return texts;
    }

    ProgramValues values;
    FakeFolderSystem folders;
    FakeRegistry registry;
    FakeShell shell;
    FakeMessageBoxes messages;
    FakeOsInfo os;
    FakeSettingsStore settings;
    FakeSettingsStore records;
    FakeSettingsStore siteFile;
    FakeReportClock clock;
    FakeReportFile reportFile;
    ReportLog log{reportFile, clock};
    RecordingMainForm form;
    MainLogic logic{values, MainPorts{folders, registry, shell, messages, os, settings, records, siteFile, log},
                    MainCalls{form, form, [this] { form.events.push_back("Sweep"); },
                              [this] { form.events.push_back("SilentUpdate"); }},
                    form};
};

TEST_F(MainLogicTest, FirstStartCreatesTheDataFolderAndMarksTheRun) {
    ASSERT_TRUE(logic.InitMain());

    EXPECT_EQ(values.ExePath, "C:\\Program Files\\Masq NG\\masqng.exe");
    EXPECT_EQ(values.AppFolder, "C:\\Program Files\\Masq NG\\");
    EXPECT_EQ(values.AppDataFolder, "C:\\Users\\me\\AppData\\Roaming\\");
    EXPECT_EQ(values.DataFolder, kDataFolder);
    EXPECT_TRUE(folders.FolderExists("C:\\Users\\me\\AppData\\Roaming\\Masq NG"));
    EXPECT_EQ(values.TempFolder, "C:\\Users\\me\\Temp\\");
    EXPECT_EQ(values.SettingsPath, kSettingsPath);
    EXPECT_EQ(values.SkinPath, "C:\\Program Files\\Masq NG\\default.skn");
    EXPECT_EQ(values.InternalPort, "7070");
    EXPECT_TRUE(values.IsFirstRun);
    EXPECT_TRUE(values.IsNewVersion);
    EXPECT_EQ(settings.Raw("Config", "Version"), "1.84");
    EXPECT_EQ(settings.Raw("Config", "FirstRun"), "0");
    EXPECT_EQ(reportFile.path, std::string(kDataFolder) + "report.txt");
    EXPECT_EQ(settings.path, kSettingsPath);
    EXPECT_EQ(records.path, std::string(kDataFolder) + "userproxy.ini");
    EXPECT_EQ(siteFile.path, "C:\\Program Files\\Masq NG\\site.ini");

    EXPECT_THAT(form.events, ElementsAre("ApplySkin C:\\Program Files\\Masq NG\\default.skn", "SetAboutPage",
                                         "SetFormCaption Masq NG", "ShowOptions", "InitHotkeys", "DeleteFirefoxUserJs",
                                         "MendLeftProxy", "SilentUpdate"));
    EXPECT_EQ(form.aboutName, "Masq NG 1.84");
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(MainLogicTest, TheLogStartsWithTheSettingsFileThenTheHeader) {
    MirrorSettingsFile("[Config]\r\nVersion=1.84\r\nFirstRun=0\r\n");
    ASSERT_TRUE(logic.InitMain());
    EXPECT_THAT(LogLines(), ElementsAre("[Config]", "Version=1.84", "FirstRun=0", "", "================",
                                        std::string(kStamp) + "Masq NG", std::string(kStamp) + "Version: 1.84",
                                        std::string(kStamp) + "OS: Windows 7 [601]",
                                        std::string(kStamp) + "Default Browser: \"browser.exe\" \"%1\"",
                                        std::string(kStamp) + "TimeZone: GMT +1"));
}

TEST_F(MainLogicTest, ARunThatEndedWithoutClearingIsMendedOnceAfterTheHeaderBeforeTheDirectoryRequest) {
    form.browsersOnProxy = true;  // the mark of a run that crashed
    ASSERT_TRUE(logic.InitMain());
    const std::vector<std::string> texts = LogTexts();
    EXPECT_THAT(std::vector<std::string>(texts.end() - 2, texts.end()),
                ElementsAre("TimeZone: GMT +1", "Remove Proxy settings of the last run"));
    EXPECT_THAT(std::vector<std::string>(form.events.end() - 2, form.events.end()),
                ElementsAre("MendLeftProxy", "SilentUpdate"));
    EXPECT_FALSE(form.browsersOnProxy);
}

// An earlier version kept its records in masq.ini, which the log copies: they move to the
// records before the log starts, and a run of that version that crashed is mended from there.
TEST_F(MainLogicTest, RecordsAnEarlierVersionKeptInTheSettingsFileMoveOutBeforeTheLogAndTheMend) {
    settings.Seed("Config", "Version", "1.83");
    settings.Seed("UserProxy", "LAN.Server", "proxy.example:8080");
    settings.Seed("UserProxy", "SetByProcess", "111");
    form.browsersOnProxy = true;  // the older run's mark, as the browser proxy reads it from the records
    ASSERT_TRUE(logic.InitMain());
    EXPECT_EQ(records.Raw("UserProxy", "LAN.Server"), "proxy.example:8080");
    EXPECT_EQ(records.Raw("UserProxy", "SetByProcess"), "111");
    EXPECT_THAT(settings.KeysOf("UserProxy"), IsEmpty());
    EXPECT_EQ(settings.Raw("Config", "Version"), "1.84");
    EXPECT_THAT(LogTexts(), ::testing::Contains("Remove Proxy settings of the last run"));
}

TEST_F(MainLogicTest, AnUnreadableSettingsFileStartsTheLogWithTheSeparator) {
    ASSERT_TRUE(logic.InitMain());
    EXPECT_EQ(LogLines().at(0), "");
    EXPECT_EQ(LogLines().at(1), "================");
}

TEST_F(MainLogicTest, TheSameVersionAndAnEarlierRunLeaveTheFileUntouched) {
    settings.Seed("Config", "Version", "1.84");
    settings.Seed("Config", "FirstRun", "0");
    ASSERT_TRUE(logic.InitMain());
    EXPECT_FALSE(values.IsNewVersion);
    EXPECT_FALSE(values.IsFirstRun);
    EXPECT_EQ(settings.Writes(), 0);
    EXPECT_THAT(form.events, ::testing::Not(::testing::Contains("DeleteFirefoxUserJs")));
}

TEST_F(MainLogicTest, AnEarlierVersionIsReplaced) {
    settings.Seed("Config", "Version", "1.83");
    ASSERT_TRUE(logic.InitMain());
    EXPECT_TRUE(values.IsNewVersion);
    EXPECT_EQ(settings.Raw("Config", "Version"), "1.84");
}

TEST_F(MainLogicTest, StoredSkinAndPortAndTheSiteFileAreRead) {
    settings.Seed("Config", "Skin", "D:\\skins\\dark.skn");
    settings.Seed("Config", "InternalPort", "8080");
    folders.files["D:\\skins\\dark.skn"] = "";
    siteFile.Seed("Hosts", "Web", "127.0.0.9");
    ASSERT_TRUE(logic.InitMain());
    EXPECT_EQ(values.SkinPath, "D:\\skins\\dark.skn");
    EXPECT_EQ(values.InternalPort, "8080");
    EXPECT_EQ(form.websiteUrl, "http://127.0.0.9/");
}

TEST_F(MainLogicTest, ADataFolderThatCannotBeCreatedEndsTheProgramBeforeAnythingIsWritten) {
    folders.folders.clear();
    EXPECT_FALSE(logic.InitMain());

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, "Masq NG");
    EXPECT_EQ(messages.shown[0].text, "Can not create Application Data Folder");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.shown[0].buttons, kButtonsOK);
    EXPECT_THAT(form.events, ElementsAre("CloseMainForm"));
    EXPECT_EQ(settings.path, "") << "the settings file is never opened";
}

TEST_F(MainLogicTest, AMissingSkinFileEndsTheProgramWithoutALogHeader) {
    folders.files.clear();
    EXPECT_FALSE(logic.InitMain());

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Can not find Skin File");
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Error);
    EXPECT_THAT(form.events, ElementsAre("CloseMainForm"));
    EXPECT_FALSE(reportFile.exists);
}

TEST_F(MainLogicTest, ExitAndTheWindowsCloseCommandClearTheProxyBeforeClosing) {
    ASSERT_TRUE(logic.InitMain());
    form.events.clear();
    logic.Exit1Click();
    logic.CloseCommand();
    EXPECT_THAT(form.events,
                ElementsAre("ClearBrowserProxy", "CloseMainForm", "ClearBrowserProxy", "CloseMainForm"));
}

TEST_F(MainLogicTest, FormCloseLogsClosingLastThenEndsTheTunnelClient) {
    ASSERT_TRUE(logic.InitMain());
    form.events.clear();
    logic.FormClose();
    log.Report("after the end");
    EXPECT_EQ(LogTexts().back(), "Closing...");
    EXPECT_THAT(form.events, ElementsAre("Sweep")) << "the proxy is not touched here";
}

TEST_F(MainLogicTest, TheEndOfTheSessionDependsOnTheWindowsVersionAndAForcedEndClearsFromVistaOn) {
    const std::string reason = "Please manually close Masq before shutting down Windows.";
    const struct {
        OsVersion version;
        bool allowed;
        std::vector<std::string> texts;  // the query's, then the session's end
        std::vector<std::string> events;
    } cases[] = {
        {{5, 1}, true, {"Windows shut down", "Remove Proxy settings"}, {"ClearBrowserProxy"}},
        {{5, 2}, true, {"Windows shut down", "Remove Proxy settings"}, {"ClearBrowserProxy"}},
        {{6, 0},
         false,
         {"Windows shut down", reason, "Remove Proxy settings"},
         {"SetShutdownBlockReason " + reason, "ClearBrowserProxy"}},
        {{10, 0},
         false,
         {"Windows shut down", reason, "Remove Proxy settings"},
         {"SetShutdownBlockReason " + reason, "ClearBrowserProxy"}},
    };
    for (const auto& c : cases) {
        os.osVersion = c.version;
        reportFile = {};
        ASSERT_TRUE(logic.InitMain());
        form.browsersOnProxy = true;
        form.events.clear();
        EXPECT_EQ(logic.WMEndSessionQuery(), c.allowed) << c.version.major;
        logic.WMEndSession(true);
        logic.WMEndSession(true);  // a second notice finds the browsers direct
        std::vector<std::string> texts = LogTexts();
        EXPECT_EQ(std::vector<std::string>(texts.end() - std::ptrdiff_t(c.texts.size()), texts.end()), c.texts)
            << c.version.major;
        EXPECT_EQ(form.events, c.events) << c.version.major;
    }
}

TEST_F(MainLogicTest, ASessionEndThatWasCancelledOrFindsTheBrowsersDirectChangesNothing) {
    ASSERT_TRUE(logic.InitMain());
    const size_t lines = LogLines().size();
    form.events.clear();
    form.browsersOnProxy = true;
    logic.WMEndSession(false);
    form.browsersOnProxy = false;
    logic.WMEndSession(true);
    EXPECT_THAT(form.events, IsEmpty());
    EXPECT_EQ(LogLines().size(), lines);
}

TEST_F(MainLogicTest, OkSavesTheDialogReRegistersTheHotkeysAndHides) {
    ASSERT_TRUE(logic.InitMain());
    form.events.clear();
    form.typed.startWithWindows = true;
    form.typed.autoSelectCountry = false;
    form.typed.bypass = {"a.example"};
    form.typed.hotkeyEnable = true;
    logic.btnOKClick();
    EXPECT_EQ(settings.Raw("Config", "AutoSelectCountry"), "0");
    EXPECT_EQ(settings.Raw("Bypass", "1"), "a.example");
    EXPECT_EQ(registry.ReadString(RegistryRoot::CurrentUser, kRunKey, "Masq NG"), values.ExePath);
    EXPECT_THAT(form.events,
                ElementsAre("DeleteFirefoxUserJs", "DisableAllHotkeys", "EnableAllHotKeys", "HideMainForm"));

    // Restart mode keeps its user.js; an unchecked autostart leaves no entry.
    form.events.clear();
    form.typed.startWithWindows = false;
    form.typed.firefoxControlMode = kRestartFirefox;
    form.typed.hotkeyEnable = false;
    logic.btnOKClick();
    EXPECT_FALSE(registry.ReadString(RegistryRoot::CurrentUser, kRunKey, "Masq NG"));
    EXPECT_THAT(form.events, ElementsAre("DisableAllHotkeys", "HideMainForm"));
    form.typed.firefoxControlMode = kPluginMode;

    // While the browsers are on the proxy they take the new choices at once; otherwise (hiding
    // stopped, whatever the session's state) OK leaves them direct, as above.
    form.events.clear();
    form.browsersOnProxy = true;
    logic.btnOKClick();
    EXPECT_THAT(form.events,
                ElementsAre("DeleteFirefoxUserJs", "DisableAllHotkeys", "ApplyProxySettings", "HideMainForm"));
}

TEST_F(MainLogicTest, CancelWritesNothingAndTheNextShowingLoadsTheStoredValues) {
    ASSERT_TRUE(logic.InitMain());
    const int writes = settings.Writes();
    form.events.clear();
    form.typed.autoSelectCountry = false;
    logic.suiButton1Click();
    EXPECT_EQ(settings.Writes(), writes);
    EXPECT_THAT(form.events, ElementsAre("HideMainForm"));

    logic.Options1Click();
    logic.FormShow();
    EXPECT_TRUE(form.shown.autoSelectCountry);
}

TEST_F(MainLogicTest, MenuCommandsOpenWhatTheyName) {
    siteFile.Seed("Hosts", "Web", "127.0.0.9");
    ASSERT_TRUE(logic.InitMain());
    form.events.clear();

    logic.About1Click();
    EXPECT_THAT(form.events, ElementsAre("ShowAboutPage", "RestoreMainForm"));

    logic.Report1Click();
    logic.SeeMyIP1Click();
    logic.OpenAboutLink(AboutLink::Website);
    logic.OpenAboutLink(AboutLink::ContactUs);
    logic.OpenAboutLink(AboutLink::SeeMyIP);
    EXPECT_THAT(shell.opened, ElementsAre(FakeShell::Opened{std::string(kDataFolder) + "report.txt", ""},
                                          FakeShell::Opened{"http://127.0.0.9/ip.php", ""},
                                          FakeShell::Opened{"http://127.0.0.9/", ""},
                                          FakeShell::Opened{"http://127.0.0.9/contact.html", ""},
                                          FakeShell::Opened{"http://127.0.0.9/ip.php", ""}));
}

}  // namespace
