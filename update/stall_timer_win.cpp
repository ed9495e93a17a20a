#include "update/stall_timer_win.h"

#include <map>
#include <utility>

namespace {

// A thread timer names no window: its expiry finds its object by the timer's id. GUI thread only.
std::map<UINT_PTR, WinStallTimer*>& RunningTimers() {
    static std::map<UINT_PTR, WinStallTimer*> timers;
    return timers;
}

}  // namespace

void WinStallTimer::Start(std::chrono::milliseconds limit, std::function<void()> onStall) {
    Stop();
    onStall_ = std::move(onStall);
    id_ = SetTimer(nullptr, 0, UINT(limit.count()), &WinStallTimer::Expired);
    if (id_)
        RunningTimers()[id_] = this;
}

void WinStallTimer::Stop() {
    if (!id_)
        return;
    KillTimer(nullptr, id_);
    RunningTimers().erase(id_);
    id_ = 0;
}

void CALLBACK WinStallTimer::Expired(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = RunningTimers().find(id);
    if (found == RunningTimers().end()) {
        KillTimer(nullptr, id);
        return;
    }
    WinStallTimer& timer = *found->second;
    timer.Stop();  // once: the call may start it again, or end its owner
    const std::function<void()> onStall = std::move(timer.onStall_);
    try {  // no C++ exception may unwind through user32
        if (onStall)
            onStall();
    } catch (...) {
    }
}
