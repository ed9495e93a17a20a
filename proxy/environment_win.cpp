#include "proxy/environment_win.h"

#include "common/system_time_win.h"

#include <windows.h>

OsVersion QueryOsVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
}

std::string QueryTimeZoneText() {
    SYSTEMTIME utc;
    SYSTEMTIME local;
    GetSystemTime(&utc);
    GetLocalTime(&local);
    return GetTimeZoneText(ToLocalDateTime(utc), ToLocalDateTime(local));
}
