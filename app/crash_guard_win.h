// What runs when the program crashes, before the system's crash handling (Windows Error
// Reporting, Wine's debugger) holds the process or ends it.
#pragma once

#include <functional>

// While the guard lives, `beforeCrash` runs once, on the crashing thread, for an exception
// nothing handled; the system's own handling follows. It must not wait on the program's other
// threads. One guard at a time.
class CrashGuard {
  public:
    explicit CrashGuard(std::function<void()> beforeCrash);
    ~CrashGuard();
    CrashGuard(const CrashGuard&) = delete;
    CrashGuard& operator=(const CrashGuard&) = delete;
};
