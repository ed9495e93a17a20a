// What start-up asks of the system besides folders and the registry.
#pragma once

#include <memory>
#include <string>

#include "proxy/environment.h"

class SettingsStore;
class ReportFile;

class SystemInfo {
  public:
    virtual ~SystemInfo() = default;
    virtual OsVersion QueryOsVersion() const = 0;
    virtual std::string QueryTimeZoneText() const = 0;
    virtual std::unique_ptr<SettingsStore> OpenSettings(const std::string& path) = 0;
    virtual std::unique_ptr<ReportFile> OpenReportFile(const std::string& path) = 0;
};
