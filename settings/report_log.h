// The activity log of one run: its lines in memory, and report.txt, their exact copy on disk
// with CR LF line ends. It exists from the program's start and keeps lines only between Open and
// Close.
#pragma once

#include "settings/activity_log.h"
#include "settings/report_clock.h"
#include "settings/report_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ReportLog final : public ActivityLog {
  public:
    ReportLog(ReportFile& file, const ReportClock& clock);

    // The log's file from now on.
    void Open(std::string_view path);
    // The end of the run's log: later lines are dropped.
    void Close();

    // The run's log starts with the settings file's lines, an empty line and a separator; they
    // reach the file with the next Report, which replaces the previous run's log.
    void StartRun(std::vector<std::string> settingsLines);
    // Adds "[ " + time stamp + " ] " + text and brings the file up to date. A failed save is
    // not the caller's concern: the line stays in memory and the next successful save writes it.
    void Report(std::string_view text) override;

    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    void Save();

    ReportFile& file_;
    const ReportClock& clock_;
    bool open_ = false;
    std::vector<std::string> lines_;
    // How many of lines_ the file holds, exactly and nothing else; nullopt when that is not
    // known (a new run, or a failed save), so the next save rewrites the whole file.
    std::optional<size_t> linesOnDisk_;
};
