// Drives windows of this process from the test thread, the way the end-to-end driver does from
// outside: find them by caption, read their controls, press buttons, type keys.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <vector>

using namespace std::chrono_literals;

inline constexpr auto kPatience = 20s;

// Polls `done` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = kPatience);

// The visible top-level window captioned `caption`; nullptr when none appears in time.
HWND WaitForWindow(const char* caption);

std::string TextOf(HWND window);
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);  // left to right
RECT ClientRectOf(HWND parent, HWND child);                             // in the parent's client pixels
HWND FocusOf(HWND window);                                              // the focus of the thread that owns `window`

// Real keyboard input (SendInput) to the foreground window; `modifier` is 0 or a VK_ held down.
void TypeKey(WORD key, WORD modifier = 0);

std::string ClipboardText();

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
