#include "app/crash_guard_win.h"

#include <windows.h>

#include <atomic>

namespace {

std::function<void()> g_beforeCrash;
std::atomic_flag g_ran = ATOMIC_FLAG_INIT;
LPTOP_LEVEL_EXCEPTION_FILTER g_earlierFilter = nullptr;  // the run-time library's

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* exception) {
    // Once, whichever thread crashes first, and never again if the guard itself fails.
    if (!g_ran.test_and_set()) {
        try {
            g_beforeCrash();
        } catch (...) {
        }
    }
    return g_earlierFilter ? g_earlierFilter(exception) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

CrashGuard::CrashGuard(std::function<void()> beforeCrash) {
    g_beforeCrash = std::move(beforeCrash);
    g_earlierFilter = SetUnhandledExceptionFilter(OnUnhandledException);
}

// What the guard calls lives no longer than the guard.
CrashGuard::~CrashGuard() {
    SetUnhandledExceptionFilter(g_earlierFilter);
    g_beforeCrash = nullptr;
}
