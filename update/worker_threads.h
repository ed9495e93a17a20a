// The download's two threads. The worker never touches the GUI's objects itself: it hands each
// call to the GUI thread and waits there until the call has run.
#pragma once

#include <functional>

class GuiThread {
  public:
    virtual ~GuiThread() = default;

    // Runs `call` on the GUI thread and returns once it has run. When the GUI side is gone the
    // call is dropped and this returns at once.
    virtual void Run(const std::function<void()>& call) = 0;
};

class WorkerThreads {
  public:
    virtual ~WorkerThreads() = default;

    // Starts `work` on a new thread that ends by itself; `work` gets the GUI thread to hand its
    // calls to, valid while it runs. Returns at once. Called on the GUI thread.
    virtual void StartWorker(std::function<void(GuiThread&)> work) = 0;
};
