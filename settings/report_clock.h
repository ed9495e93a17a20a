// The clock of the activity log: the local time and the user's separators, and the time stamp
// built from them.
#pragma once

#include "common/date_time.h"

#include <string>
#include <string_view>

class ReportClock {
  public:
    virtual ~ReportClock() = default;

    virtual LocalDateTime Now() const = 0;
    // The user's separators from the locale settings.
    virtual std::string TimeSeparator() const = 0;
    virtual std::string DateSeparator() const = 0;
};

// "hh:nn:ss:zzz yyyy/mm/dd", where the colons stand for `timeSeparator` and the slashes for
// `dateSeparator`: 24-hour clock, three-digit milliseconds, four-digit year.
std::string FormatTimeStamp(const LocalDateTime& time, std::string_view timeSeparator, std::string_view dateSeparator);
