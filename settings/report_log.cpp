#include "settings/report_log.h"

#include <utility>

namespace {

constexpr std::string_view kRunSeparator = "================";
constexpr std::string_view kStampOpen = "[ ";
constexpr std::string_view kStampClose = " ] ";
constexpr std::string_view kLineEnd = "\r\n";

std::string JoinFrom(const std::vector<std::string>& lines, size_t first) {
    std::string text;
    for (size_t i = first; i < lines.size(); ++i)
        text.append(lines[i]).append(kLineEnd);
    return text;
}

}  // namespace

ReportLog::ReportLog(ReportFile& file, const ReportClock& clock) : file_(file), clock_(clock) {}

void ReportLog::Open(std::string_view path) {
    file_.Open(path);
    open_ = true;
}

void ReportLog::Close() {
    open_ = false;
    lines_.clear();
    linesOnDisk_.reset();
}

void ReportLog::StartRun(std::vector<std::string> settingsLines) {
    lines_ = std::move(settingsLines);
    lines_.emplace_back();
    lines_.emplace_back(kRunSeparator);
    linesOnDisk_.reset();
}

void ReportLog::Report(std::string_view text) {
    if (!open_)
        return;
    std::string line(kStampOpen);
    line.append(FormatTimeStamp(clock_.Now(), clock_.TimeSeparator(), clock_.DateSeparator()));
    line.append(kStampClose).append(text);
    lines_.push_back(std::move(line));
    Save();
}

void ReportLog::Save() {
    // Appending keeps the cost of a line flat however long the log grows; it is safe only
    // while the file is known to hold the lines before it.
    if (linesOnDisk_ && file_.Append(JoinFrom(lines_, *linesOnDisk_))) {
        linesOnDisk_ = lines_.size();
        return;
    }
    if (file_.Replace(JoinFrom(lines_, 0))) {
        linesOnDisk_ = lines_.size();
    } else {
        linesOnDisk_.reset();
    }
}
