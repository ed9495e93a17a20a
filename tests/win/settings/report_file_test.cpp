#include "settings/report_clock_win.h"
#include "settings/report_file_win.h"
#include "settings/report_log.h"

#include "common/unique_handle_win.h"
#include "win/settings/environment_case.h"
#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace {

class WinReportFileTest : public testing::Test {
  protected:
    ScratchFolder scratch;
    std::string path = scratch.Path("report.txt");
    WinReportFile file;

    void SetUp() override { file.Open(path); }
};

TEST_F(WinReportFileTest, ReplacesAndAppendsAndLeavesTheFileClosed) {
    WriteBytes(path, "a much longer log of the previous run\r\n");
    EXPECT_TRUE(file.Replace("first\r\n"));
    EXPECT_TRUE(file.Append("second\r\n"));
    EXPECT_TRUE(file.Append("third\r\n"));
    EXPECT_EQ(FileBytes(path), "first\r\nsecond\r\nthird\r\n");

    // Nobody else may hold the file open now: an exclusive open succeeds.
    UniqueFile exclusive(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_TRUE(exclusive);
}

TEST_F(WinReportFileTest, AppendNeverCreatesAMissingFile) {
    EXPECT_FALSE(file.Append("second\r\n"));
    EXPECT_EQ(FileBytes(path), std::nullopt);
}

TEST_F(WinReportFileTest, AFileLockedByAnotherProgramFailsAndStaysAsItWas) {
    WriteBytes(path, "kept\r\n");
    UniqueFile locked(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked);
    EXPECT_FALSE(file.Replace("new\r\n"));
    EXPECT_FALSE(file.Append("new\r\n"));
    locked.Reset();
    EXPECT_EQ(FileBytes(path), "kept\r\n");
}

TEST_F(WinReportFileTest, TheLogCatchesUpOnDiskOnceTheLockIsGone) {
    WinReportClock clock;
    ReportLog log(file, clock);
    log.Open(path);
    log.StartRun({"[Config]", "Version=1.84"});
    log.Report("Masq NG");
    {
        UniqueFile locked(
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(locked);
        log.Report("Searching...");
    }
    log.Report("Connected");

    std::string expected;
    for (const std::string& line : log.Lines())
        expected += line + "\r\n";
    EXPECT_EQ(log.Lines().size(), 7u);
    EXPECT_EQ(FileBytes(path), expected);
}

TEST(WinReportClock, TakesTheSeparatorsOfTheUsersLocale) {
    const char* lang = ChosenEnvironment("LANG");
    if (!lang)
        GTEST_SKIP() << "run by CTest under chosen languages";
    using Separators = std::pair<std::string, std::string>;  // time, date
    const std::map<std::string, Separators> separators = {
        {"C.UTF-8", {":", "/"}}, {"en_US.UTF-8", {":", "/"}}, {"de_DE.UTF-8", {":", "."}}};
    ASSERT_TRUE(separators.contains(lang)) << "no expectation for LANG=" << lang;

    WinReportClock clock;
    EXPECT_EQ(Separators(clock.TimeSeparator(), clock.DateSeparator()), separators.at(lang));
}

}  // namespace
