// The running system's version and clocks through the Win32 API.
#pragma once

#include "platform/os_info.h"

class WinOsInfo final : public OsInfo {
  public:
    OsVersion QueryOsVersion() const override;
    LocalDateTime QueryUtcTime() const override;
    LocalDateTime QueryLocalTime() const override;
};
