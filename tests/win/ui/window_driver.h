// Dialogs of this process shown on a worker thread, and the controls the tests look at, on top
// of the shared test driver.
#pragma once

#include <windows.h>

#include <functional>
#include <future>
#include <vector>

#include "tests/driver/ui.h"
#include "tests/driver/wait.h"

using namespace driver;

RECT ClientRectOf(HWND parent, HWND child);  // in the parent's client pixels

// Runs `show` (a modal dialog) on a worker thread and finds the window it opens.
class ModalOnWorker {
  public:
    ModalOnWorker(const char* caption, std::function<int()> show);
    ~ModalOnWorker();  // closes the window if the test left it open

    HWND Window() const { return window_; }
    // The value `show` returned; -1 when it has not returned in time.
    int Result();

  private:
    std::future<int> result_;
    HWND window_ = nullptr;
};
