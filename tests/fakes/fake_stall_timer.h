// The stall alarm in the test's hand: it remembers its limit and whether it runs, and the test
// makes it go off.
#pragma once

#include <utility>

#include "update/stall_timer.h"

class FakeStallTimer final : public StallTimer {
  public:
    std::chrono::milliseconds limit{0};
    bool running = false;
    int starts = 0;

    void Start(std::chrono::milliseconds newLimit, std::function<void()> onStall) override {
        limit = newLimit;
        onStall_ = std::move(onStall);
        running = true;
        ++starts;
    }
    void Stop() override { running = false; }
    // The limit has passed without a new start.
    void GoOff() {
        if (!running)
            return;
        running = false;
        if (onStall_)
            std::exchange(onStall_, nullptr)();
    }

  private:
    std::function<void()> onStall_;
};
