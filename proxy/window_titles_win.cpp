#include "proxy/window_titles_win.h"

#include <windows.h>

std::vector<std::string> WinWindowTitles::TopLevelTitles(std::size_t maxWindows, std::size_t maxLength) const {
    std::vector<std::string> titles;
    std::string buffer(maxLength + 1, '\0');
    for (HWND window = FindWindowA(nullptr, nullptr); window && titles.size() < maxWindows;
         window = GetWindow(window, GW_HWNDNEXT)) {
        const int length = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
        titles.emplace_back(buffer.data(), length > 0 ? std::size_t(length) : 0);
    }
    return titles;
}
