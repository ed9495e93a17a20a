// What the program asks of the running system about itself: the version Windows reports, and
// the system's clocks.
#pragma once

#include "common/date_time.h"

struct OsVersion {
    int major = 0;
    int minor = 0;
};

class OsInfo {
  public:
    virtual ~OsInfo() = default;
    // The version Windows reports to this program (under Wine: the version set for this executable).
    virtual OsVersion QueryOsVersion() const = 0;
    virtual LocalDateTime QueryUtcTime() const = 0;
    virtual LocalDateTime QueryLocalTime() const = 0;
};
