// The one logging operation every subsystem uses: a line of the activity log (report.txt).
#pragma once

#include <string_view>

class ActivityLog {
  public:
    virtual ~ActivityLog() = default;
    // Adds "[ " + time stamp + " ] " + text to the log.
    virtual void Report(std::string_view text) = 0;
};
