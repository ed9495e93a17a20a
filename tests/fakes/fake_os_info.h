// The running system's version and clocks, as the test sets them.
#pragma once

#include "platform/os_info.h"

class FakeOsInfo final : public OsInfo {
  public:
    OsVersion osVersion{6, 1};
    LocalDateTime utc{2026, 12, 7, 20, 34, 5, 123};
    LocalDateTime local{2026, 12, 7, 21, 34, 5, 123};

    OsVersion QueryOsVersion() const override { return osVersion; }
    LocalDateTime QueryUtcTime() const override { return utc; }
    LocalDateTime QueryLocalTime() const override { return local; }
};
