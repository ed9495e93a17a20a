// Waiting on what the program leaves behind: poll a condition until it holds or time runs out.
#pragma once

#include <windows.h>

#include <chrono>

namespace driver {

using namespace std::chrono_literals;

// Wine starts slowly on a cold or busy machine: every wait in these tests is generous.
inline constexpr auto kUiTimeout = 60s;

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kUiTimeout) {
    const ULONGLONG deadline = GetTickCount64() + timeout.count();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
}

}  // namespace driver
