// The desktop's top-level windows as a list of titles, front to back; records the limits the
// caller asked for and keeps to them.
#pragma once

#include <algorithm>

#include "proxy/window_titles.h"

class FakeWindowTitles final : public WindowTitles {
  public:
    std::vector<std::string> titles;
    mutable std::size_t askedWindows = 0;
    mutable std::size_t askedLength = 0;

    std::vector<std::string> TopLevelTitles(std::size_t maxWindows, std::size_t maxLength) const override {
        askedWindows = maxWindows;
        askedLength = maxLength;
        std::vector<std::string> cut;
        for (std::size_t i = 0; i < std::min(maxWindows, titles.size()); ++i)
            cut.push_back(titles[i].substr(0, maxLength));
        return cut;
    }
};
