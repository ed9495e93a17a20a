// report.txt in memory, with a switch that makes every save fail (a locked file).
#pragma once

#include "settings/report_file.h"

#include <string>

class FakeReportFile final : public ReportFile {
  public:
    std::string path;  // where Open pointed it
    std::string contents;
    bool exists = false;
    bool failing = false;
    int replaces = 0;
    int appends = 0;

    void Open(std::string_view openedPath) override { path = openedPath; }
    bool Replace(std::string_view text) override {
        if (failing)
            return false;
        contents = text;
        exists = true;
        ++replaces;
        return true;
    }
    bool Append(std::string_view text) override {
        if (failing || !exists)
            return false;
        contents += text;
        ++appends;
        return true;
    }
};
