// A timer the test ticks by hand; it remembers its interval and whether it is on.
#pragma once

#include "platform/timer.h"

class FakeTimer final : public Timer {
  public:
    std::chrono::milliseconds interval{0};
    bool enabled = false;
    int starts = 0;

    void Start(std::chrono::milliseconds newInterval) override {
        interval = newInterval;
        enabled = true;
        ++starts;
    }
    void Stop() override { enabled = false; }
    bool Enabled() const override { return enabled; }
};
