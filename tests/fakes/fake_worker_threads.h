// Worker threads that run when the test says so, on the test's own thread; the GUI thread is the
// test's thread too, so a handed-off call runs at once. Lets a test act "during a download"
// deterministically: between StartWorker and RunWorker, or from inside a port the worker calls.
#pragma once

#include <functional>
#include <system_error>
#include <utility>
#include <vector>

#include "update/worker_threads.h"

class FakeWorkerThreads final : public WorkerThreads {
  public:
    int started = 0;
    bool failsToStart = false;  // the system has no thread to give

    void StartWorker(std::function<void(GuiThread&)> work) override {
        if (failsToStart)
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        ++started;
        pending_.push_back(std::move(work));
    }
    // Runs the oldest worker that has not run yet, to its end.
    void RunWorker() {
        auto work = std::move(pending_.front());
        pending_.erase(pending_.begin());
        work(gui_);
    }
    bool HasPending() const { return !pending_.empty(); }

  private:
    struct ImmediateGui final : GuiThread {
        void Run(const std::function<void()>& call) override { call(); }
    };
    ImmediateGui gui_;
    std::vector<std::function<void(GuiThread&)>> pending_;
};
