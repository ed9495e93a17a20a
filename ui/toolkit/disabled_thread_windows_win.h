// While a form runs its own modal loop, the thread's other visible windows take no input; they
// are enabled again when this goes out of scope.
#pragma once

#include <windows.h>

#include <vector>

class DisabledThreadWindows {
  public:
    DisabledThreadWindows() { EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(&windows_)); }
    ~DisabledThreadWindows() {
        for (HWND window : windows_)
            EnableWindow(window, TRUE);
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

  private:
    static BOOL CALLBACK Disable(HWND window, LPARAM list) {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
    }

    std::vector<HWND> windows_;
};
