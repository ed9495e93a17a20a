#include "settings/report_clock_win.h"

#include "common/system_time_win.h"

#include <windows.h>

namespace {

std::string LocaleText(LCTYPE item, const char* fallback) {
    char buffer[16];
    int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, sizeof buffer);
    return length > 1 ? std::string(buffer, length - 1) : std::string(fallback);
}

}  // namespace

WinReportClock::WinReportClock()
    : timeSeparator_(LocaleText(LOCALE_STIME, ":")), dateSeparator_(LocaleText(LOCALE_SDATE, "/")) {}

LocalDateTime WinReportClock::Now() const {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ToLocalDateTime(now);
}
