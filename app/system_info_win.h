#pragma once

#include "app/system_info.h"

class WinSystemInfo final : public SystemInfo {
  public:
    OsVersion QueryOsVersion() const override;
    std::string QueryTimeZoneText() const override;
    std::unique_ptr<SettingsStore> OpenSettings(const std::string& path) override;
    std::unique_ptr<ReportFile> OpenReportFile(const std::string& path) override;
};
