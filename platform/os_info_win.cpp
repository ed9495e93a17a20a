#include "platform/os_info_win.h"

#include <windows.h>

#include "common/system_time_win.h"

OsVersion WinOsInfo::QueryOsVersion() const {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
}

LocalDateTime WinOsInfo::QueryUtcTime() const {
    SYSTEMTIME time;
    GetSystemTime(&time);
    return ToLocalDateTime(time);
}

LocalDateTime WinOsInfo::QueryLocalTime() const {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return ToLocalDateTime(time);
}
