// A timer of the main form (timRead, timReset): SetTimer on the form's window, whose WM_TIMER
// the form routes to Tick. Ticks are window messages, so they go on inside modal loops.
#pragma once

#include <windows.h>

#include <functional>

#include "common/window_base_win.h"
#include "platform/timer.h"

class FormTimer final : public Timer {
  public:
    FormTimer(const WindowBase& form, UINT_PTR id) : form_(form), id_(id) {}
    ~FormTimer() override { Stop(); }

    void Start(std::chrono::milliseconds interval) override {
        enabled_ = true;
        SetTimer(form_.Handle(), id_, UINT(interval.count()), nullptr);
    }
    void Stop() override {
        enabled_ = false;
        if (form_.Handle())
            KillTimer(form_.Handle(), id_);
    }
    bool Enabled() const override { return enabled_; }

    UINT_PTR Id() const { return id_; }
    void Tick() const {
        if (enabled_ && OnTimer)
            OnTimer();
    }
    std::function<void()> OnTimer;

  private:
    const WindowBase& form_;
    UINT_PTR id_;
    bool enabled_ = false;
};
