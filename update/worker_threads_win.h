// The download's threads for real: a std::thread per worker, and a hidden message-only window
// of the GUI thread that runs the calls the worker sends it (SendMessage: the worker waits).
#pragma once

#include <windows.h>

#include "update/worker_threads.h"

class WinWorkerThreads final : public WorkerThreads {
  public:
    WinWorkerThreads();  // on the GUI thread
    // A worker that outlives this object finds its calls dropped: SendMessage to a window that
    // is gone returns at once.
    ~WinWorkerThreads() override;
    WinWorkerThreads(const WinWorkerThreads&) = delete;
    WinWorkerThreads& operator=(const WinWorkerThreads&) = delete;

    // Throws when no thread (or no window for its calls) can be had.
    void StartWorker(std::function<void(GuiThread&)> work) override;

  private:
    HWND window_;
};
