// A timer of the GUI thread. Its ticks arrive as window messages, so they go on inside modal
// loops too; a tick handler that opens a dialog can be entered again by the next tick.
#pragma once

#include <chrono>

class Timer {
  public:
    virtual ~Timer() = default;
    // Ticks every `interval` from now on (a running timer starts counting again).
    virtual void Start(std::chrono::milliseconds interval) = 0;
    virtual void Stop() = 0;
    virtual bool Enabled() const = 0;
};
