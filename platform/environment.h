// Probes of the system around the program: OS name, default browser, time zone, the autostart
// entry and opening a web page. They keep no state; each call asks again.
#pragma once

#include "common/date_time.h"
#include "platform/os_info.h"
#include "platform/registry.h"
#include "platform/shell.h"

#include <string>
#include <string_view>

struct OsName {
    int versionCode = 0;  // major * 100 + minor
    std::string name;
};

OsName GetOSName(OsVersion version);

// The command line that opens http links, or "" when none is registered.
std::string GetDefaultBrowser(const Registry& registry);

// The offset of local time from UTC, e.g. "GMT +1", "GMT -0", "GMT +5:30".
std::string GetTimeZoneText(const LocalDateTime& utc, const LocalDateTime& local);

// Whether the user's autostart entry `name` is set.
bool IsAutoStart(const Registry& registry, std::string_view name);
// Sets the autostart entry `name` to `path`, or removes it; false when the registry refused.
bool SetAutoStart(Registry& registry, bool enable, std::string_view name, std::string_view path);

// Opens `url` with the registered http handler, or with Internet Explorer when there is none.
void OpenURL(const Registry& registry, Shell& shell, std::string_view url);
