// The top-level windows' titles through FindWindowA, GetWindow and GetWindowTextA.
#pragma once

#include "proxy/window_titles.h"

class WinWindowTitles final : public WindowTitles {
  public:
    std::vector<std::string> TopLevelTitles(std::size_t maxWindows, std::size_t maxLength) const override;
};
