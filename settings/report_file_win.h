// report.txt through the Win32 file functions: opened for each save and closed again, and
// shared for reading while it is written.
#pragma once

#include "settings/report_file.h"

#include <string>

class WinReportFile final : public ReportFile {
  public:
    void Open(std::string_view path) override;
    bool Replace(std::string_view contents) override;
    bool Append(std::string_view contents) override;

  private:
    std::string path_;
};
