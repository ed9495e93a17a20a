#include "app/system_info_win.h"

#include "proxy/environment_win.h"
#include "settings/profile_settings_store_win.h"
#include "settings/report_file_win.h"

OsVersion WinSystemInfo::QueryOsVersion() const {
    return ::QueryOsVersion();
}

std::string WinSystemInfo::QueryTimeZoneText() const {
    return ::QueryTimeZoneText();
}

std::unique_ptr<SettingsStore> WinSystemInfo::OpenSettings(const std::string& path) {
    return std::make_unique<ProfileSettingsStore>(path);
}

std::unique_ptr<ReportFile> WinSystemInfo::OpenReportFile(const std::string& path) {
    return std::make_unique<WinReportFile>(path);
}
