// Start-up, the single-instance guard and the log header, on the real program.
#include <gtest/gtest.h>

#include <regex>

#include "tests/driver/artifacts.h"
#include "tests/driver/files.h"
#include "tests/driver/ui.h"
#include "tests/e2e/masq_fixture.h"

namespace e2e {

using namespace driver;
namespace {

std::string DefaultBrowserCommand() {
    char command[1024] = {};
    DWORD size = sizeof(command);
    RegGetValueA(HKEY_CLASSES_ROOT, "http\\shell\\open\\command", nullptr, RRF_RT_REG_SZ, nullptr, command, &size);
    return command;
}

// The program's error box with `text`; OK ends the program.
void ExpectErrorThenEnd(Masq& masq, const std::string& text, const std::string& screenshot = {}) {
    HWND error = WaitForTopLevel(masq.Process().Id(), "Masq NG");
    ASSERT_TRUE(error);
    EXPECT_TRUE(FindChild(error, "Static", text));
    if (!screenshot.empty())
        SaveWindowScreenshot(screenshot, error, 8);
    Click(FindChild(error, "Button", "OK"));
    EXPECT_TRUE(masq.Process().WaitForExit(kUiTimeout));
}

TEST_F(MasqTest, FirstStartCreatesTheSettingsFileAndWritesTheLogHeader) {
    Masq masq;
    ASSERT_TRUE(masq.WaitForStartUp());

    EXPECT_EQ(IniValue(Paths().settings, "Config", "Version"), "1.84");
    EXPECT_EQ(IniValue(Paths().settings, "Config", "FirstRun"), "0");

    const std::string report = ReadFile(Paths().report).value();
    EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1) << "lines end in CR LF";
    const auto lines = ReadLines(Paths().report).value();
    // The settings as they were when the log began: the directory request after the header adds
    // the adapter's digest.
    auto settings = ReadLines(Paths().settings).value();
    std::erase_if(settings, [](const std::string& line) { return line.starts_with("Pass="); });
    ASSERT_GE(lines.size(), settings.size() + 2 + 5);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + settings.size()), settings);
    EXPECT_EQ(lines[settings.size()], "");
    EXPECT_EQ(lines[settings.size() + 1], "================");

    std::vector<std::string> header = masq.LogTexts();
    ASSERT_GE(header.size(), 5u);
    EXPECT_EQ(header[0], "Masq NG");
    EXPECT_EQ(header[1], "Version: 1.84");
    EXPECT_EQ(header[2], "OS: Windows 7 [601]");
    EXPECT_EQ(header[3], "Default Browser: " + DefaultBrowserCommand());
    EXPECT_TRUE(std::regex_match(header[4], std::regex(R"(TimeZone: GMT [+-]\d+(:\d\d)?)"))) << header[4];
}

TEST_F(MasqTest, ASecondStartWarnsAndLeavesTheFirstRunning) {
    Masq first;
    ASSERT_TRUE(first.WaitForLog("Please unblock Masq NG"));  // the end of its start without a directory
    const std::size_t logged = first.LogTexts().size();

    Masq second;
    HWND warning = WaitForTopLevel(second.Process().Id(), "Masq");
    ASSERT_TRUE(warning);
    EXPECT_TRUE(FindChild(warning, "Static", "Masq has already running!"));
    SaveWindowScreenshot("already_running", warning, 8);
    Click(FindChild(warning, "Button", "OK"));
    EXPECT_EQ(second.Process().WaitForExit(kUiTimeout), 0u);

    EXPECT_TRUE(first.Process().Running());
    EXPECT_TRUE(first.MainForm());
    EXPECT_EQ(first.LogTexts().size(), logged) << "the running instance is told nothing";
}

TEST_F(MasqTest, AMissingSkinFileIsReportedAndEndsTheProgramBeforeTheLogHeader) {
    InstallProgram(Skin::kMissing);
    Masq masq;
    ExpectErrorThenEnd(masq, "Can not find Skin File", "error_missing_skin");
    for (const std::string& text : masq.LogTexts())
        EXPECT_NE(text, "Masq NG");
}

TEST_F(MasqTest, ADataFolderThatCannotBeCreatedIsReportedAndEndsTheProgram) {
    // A file where the folder should be: the folder can't be made.
    const std::string folder = Paths().dataFolder.substr(0, Paths().dataFolder.size() - 1);
    WriteFile(folder, "in the way");
    Masq masq;
    ExpectErrorThenEnd(masq, "Can not create Application Data Folder");
    EXPECT_EQ(ReadFile(folder), "in the way") << "nothing was written";
}

}  // namespace
}  // namespace e2e
