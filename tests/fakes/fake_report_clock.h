// A clock that shows a set time and set separators.
#pragma once

#include "settings/report_clock.h"

class FakeReportClock final : public ReportClock {
  public:
    LocalDateTime now{2026, 12, 7, 21, 34, 5, 123};
    std::string timeSeparator = ":";
    std::string dateSeparator = "/";

    LocalDateTime Now() const override { return now; }
    std::string TimeSeparator() const override { return timeSeparator; }
    std::string DateSeparator() const override { return dateSeparator; }
};
