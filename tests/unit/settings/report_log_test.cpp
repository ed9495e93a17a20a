#include "settings/report_log.h"

#include "fakes/fake_report_clock.h"
#include "fakes/fake_report_file.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(FormatTimeStamp, PadsEveryFieldAndUsesTheUsersSeparators) {
    struct Case {
        LocalDateTime time;
        const char* timeSeparator;
        const char* dateSeparator;
        const char* expected;
    };
    const Case cases[] = {
        {{2026, 12, 7, 21, 34, 5, 123}, ":", "/", "21:34:05:123 2026/12/07"},
        {{2026, 12, 7, 21, 34, 5, 123}, ":", ".", "21:34:05:123 2026.12.07"},
        {{2027, 1, 2, 3, 4, 5, 6}, ":", "/", "03:04:05:006 2027/01/02"},
        {{2026, 12, 31, 0, 0, 0, 0}, ".", "-", "00.00.00.000 2026-12-31"},
        {{999, 3, 4, 23, 59, 59, 999}, "h", ". ", "23h59h59h999 0999. 03. 04"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatTimeStamp(c.time, c.timeSeparator, c.dateSeparator), c.expected);
    }
}

class ReportLogTest : public testing::Test {
  protected:
    static std::string Joined(const Lines& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\r\n";
        return text;
    }
    void ExpectFileIsExactCopy() { EXPECT_EQ(file.contents, Joined(log.Lines())); }

    ReportLogTest() { log.Open("C:\\Masq NG\\report.txt"); }

    FakeReportFile file;
    FakeReportClock clock;
    ReportLog log{file, clock};
};

TEST_F(ReportLogTest, RunStartsWithTheSettingsLinesAndReplacesThePreviousRunAtTheFirstReport) {
    file.exists = true;
    file.contents = "previous run\r\n";

    log.StartRun({"[Config]", "Version=1.84"});
    EXPECT_EQ(file.contents, "previous run\r\n");

    log.Report("Masq NG");
    EXPECT_EQ(log.Lines(),
              (Lines{"[Config]", "Version=1.84", "", "================", "[ 21:34:05:123 2026/12/07 ] Masq NG"}));
    EXPECT_EQ(file.contents,
              "[Config]\r\nVersion=1.84\r\n\r\n================\r\n[ 21:34:05:123 2026/12/07 ] Masq NG\r\n");
    EXPECT_EQ(file.replaces, 1);
}

TEST_F(ReportLogTest, LaterLinesAreAppendedAndTheFileStaysAnExactCopy) {
    log.StartRun({});
    log.Report("Masq NG");
    clock.now.second = 6;
    log.Report("Version: 1.84");
    clock.dateSeparator = ".";
    log.Report("Connected");

    EXPECT_EQ(log.Lines().back(), "[ 21:34:06:123 2026.12.07 ] Connected");
    ExpectFileIsExactCopy();
    EXPECT_EQ(file.replaces, 1);
    EXPECT_EQ(file.appends, 2);
}

TEST_F(ReportLogTest, AnEmptyTextStillGivesTheStampedLine) {
    log.Report("");
    EXPECT_EQ(log.Lines(), Lines{"[ 21:34:05:123 2026/12/07 ] "});
    EXPECT_EQ(file.contents, "[ 21:34:05:123 2026/12/07 ] \r\n");
}

TEST_F(ReportLogTest, FailedSavesKeepTheLinesAndTheNextSaveRewritesTheWholeFile) {
    log.StartRun({"[Config]"});
    log.Report("Masq NG");
    file.failing = true;
    log.Report("Searching...");
    log.Report("Connecting...");
    EXPECT_EQ(log.Lines().size(), 6u);
    EXPECT_EQ(file.contents, "[Config]\r\n\r\n================\r\n[ 21:34:05:123 2026/12/07 ] Masq NG\r\n");

    file.failing = false;
    log.Report("Connected");
    ExpectFileIsExactCopy();
    EXPECT_EQ(file.replaces, 2);

    log.Report("Masq ON");
    ExpectFileIsExactCopy();
    EXPECT_EQ(file.appends, 1);
}

TEST_F(ReportLogTest, AFileRemovedDuringTheRunIsWrittenWholeAgainAtOnce) {
    log.StartRun({"[Config]"});
    log.Report("Masq NG");
    file.exists = false;
    file.contents.clear();

    log.Report("Connected");
    ExpectFileIsExactCopy();
    EXPECT_EQ(file.replaces, 2);
}

TEST_F(ReportLogTest, ANewRunStartsAFreshLog) {
    log.StartRun({"[Config]", "FirstRun=1"});
    log.Report("Closing...");
    log.StartRun({"[Config]", "FirstRun=0"});
    log.Report("Masq NG");

    EXPECT_EQ(log.Lines(),
              (Lines{"[Config]", "FirstRun=0", "", "================", "[ 21:34:05:123 2026/12/07 ] Masq NG"}));
    ExpectFileIsExactCopy();
}

TEST(ReportLog, KeepsLinesOnlyBetweenOpenAndClose) {
    FakeReportFile file;
    FakeReportClock clock;
    ReportLog log(file, clock);
    log.Report("before the settings are read");
    EXPECT_FALSE(file.exists);

    log.Open("C:\\Masq NG\\report.txt");
    log.StartRun({});
    log.Report("Closing...");
    log.Close();
    log.Report("after the end");
    EXPECT_EQ(file.path, "C:\\Masq NG\\report.txt");
    EXPECT_EQ(file.contents, "\r\n================\r\n[ 21:34:05:123 2026/12/07 ] Closing...\r\n");
}

}  // namespace
