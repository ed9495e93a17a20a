// Port: the titles of the desktop's top-level windows, to tell whether a program has a window
// open.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class WindowTitles {
  public:
    virtual ~WindowTitles() = default;
    // The titles of at most `maxWindows` top-level windows, front to back, each cut to at most
    // `maxLength` characters.
    virtual std::vector<std::string> TopLevelTitles(std::size_t maxWindows, std::size_t maxLength) const = 0;
};
