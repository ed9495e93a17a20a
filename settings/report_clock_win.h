// The activity log's clock: the local time, and the separators of the user's locale as they
// stood when the clock was made.
#pragma once

#include "settings/report_clock.h"

class WinReportClock final : public ReportClock {
  public:
    WinReportClock();

    LocalDateTime Now() const override;
    std::string TimeSeparator() const override { return timeSeparator_; }
    std::string DateSeparator() const override { return dateSeparator_; }

  private:
    std::string timeSeparator_;
    std::string dateSeparator_;
};
