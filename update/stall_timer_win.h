// The stall alarm as a timer of the GUI thread's message queue (SetTimer without a window): its
// expiry arrives as WM_TIMER, which every message loop of that thread dispatches, the update
// dialog's modal loop included.
#pragma once

#include <windows.h>

#include "update/stall_timer.h"

class WinStallTimer final : public StallTimer {
  public:
    WinStallTimer() = default;
    ~WinStallTimer() override { Stop(); }
    WinStallTimer(const WinStallTimer&) = delete;
    WinStallTimer& operator=(const WinStallTimer&) = delete;

    void Start(std::chrono::milliseconds limit, std::function<void()> onStall) override;
    void Stop() override;

  private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR id, DWORD);

    UINT_PTR id_ = 0;
    std::function<void()> onStall_;
};
