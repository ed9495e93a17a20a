// The system facts start-up asks for, set by the test; the settings and report files it opens
// are the test's own fakes, so the test sees what was written.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "app/system_info.h"
#include "tests/fakes/fake_report_file.h"
#include "tests/fakes/fake_settings_store.h"

// Hands out a settings file the test keeps.
class SettingsStoreRef final : public SettingsStore {
  public:
    explicit SettingsStoreRef(SettingsStore& target) : target_(target) {}
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override {
        return target_.ReadString(section, key, def);
    }
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override {
        target_.WriteString(section, key, value);
    }

  private:
    SettingsStore& target_;
};

// Hands out a report file the test keeps.
class ReportFileRef final : public ReportFile {
  public:
    explicit ReportFileRef(ReportFile& target) : target_(target) {}
    bool Replace(std::string_view contents) override { return target_.Replace(contents); }
    bool Append(std::string_view contents) override { return target_.Append(contents); }

  private:
    ReportFile& target_;
};

class FakeSystemInfo final : public SystemInfo {
  public:
    OsVersion osVersion{6, 1};
    std::string timeZoneText = "GMT +1";
    std::map<std::string, FakeSettingsStore> settingsFiles;  // by path
    FakeReportFile reportFile;
    std::string reportPath;

    OsVersion QueryOsVersion() const override { return osVersion; }
    std::string QueryTimeZoneText() const override { return timeZoneText; }
    std::unique_ptr<SettingsStore> OpenSettings(const std::string& path) override {
        return std::make_unique<SettingsStoreRef>(settingsFiles[path]);
    }
    std::unique_ptr<ReportFile> OpenReportFile(const std::string& path) override {
        reportPath = path;
        return std::make_unique<ReportFileRef>(reportFile);
    }
};
