// Port: the alarm that ends a stalled download. A one-shot timer of the GUI thread: `onStall`
// runs there once `limit` has passed since the timer was last started, unless it was stopped
// first. Starting it again (at every piece that arrives) starts the count again.
#pragma once

#include <chrono>
#include <functional>

class StallTimer {
  public:
    virtual ~StallTimer() = default;
    virtual void Start(std::chrono::milliseconds limit, std::function<void()> onStall) = 0;
    virtual void Stop() = 0;
};
