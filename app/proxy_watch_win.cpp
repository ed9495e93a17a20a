#include "app/proxy_watch_win.h"

#include <windows.h>

#include <string>

#include "common/unique_handle_win.h"
#include "platform/folder_system_win.h"
#include "platform/os_info_win.h"
#include "proxy/browser_files_win.h"
#include "proxy/connection_options_win.h"
#include "proxy/dial_up_connections_win.h"
#include "proxy/window_titles_win.h"
#include "settings/profile_settings_store_win.h"

namespace {

// How long a new start waits for the watch of the run before it: a watch clears in well under a
// second, and one that hangs must not hold the program up for good.
constexpr DWORD kEndedRunsWatchWait = 10000;

// Starts the next stage with the program's handle, which it inherits. The stage breaks away from
// a job the program may run in (one that ends its processes with it), where the job allows that.
bool StartStage(const WatchRequest& request) {
    const std::string exe = WinFolderSystem().ExecutablePath();
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION started{};
    for (DWORD breakaway : {DWORD(CREATE_BREAKAWAY_FROM_JOB), DWORD(0)}) {
        std::string line = WatchCommandLine(exe, request);  // CreateProcessA may write into it
        if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW | breakaway, nullptr,
                           nullptr, &startup, &started)) {
            CloseHandle(started.hThread);
            CloseHandle(started.hProcess);
            return true;
        }
    }
    return false;
}

void WaitForEndedRunsWatch() {
    UniqueHandle watch(OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kWatchMutexName));
    if (!watch)
        return;
    const DWORD waited = WaitForSingleObject(watch.Get(), kEndedRunsWatchWait);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
        ReleaseMutex(watch.Get());
}

int Watch(HANDLE programHandle) {
    UniqueHandle program(programHandle);
    const DWORD programId = GetProcessId(program.Get());
    if (programId == 0)
        return 1;
    UniqueHandle alive(CreateMutexA(nullptr, TRUE, kWatchMutexName));
    if (WaitForSingleObject(program.Get(), INFINITE) != WAIT_OBJECT_0)
        return 1;
    WinFolderSystem folders;
    WinOsInfo os;
    ProfileSettingsStore settings;
    ProfileSettingsStore records;
    WinConnectionOptions connectionOptions;
    WinDialUpConnections dialUp;
    WinBrowserFiles files;
    WinWindowTitles windows;
    ClearAfterProgramEnd(WatchPorts{folders, os, settings, records, connectionOptions, dialUp, files, windows},
                         programId);
    return 0;
}

}  // namespace

void StartProxyWatch() {
    WaitForEndedRunsWatch();
    HANDLE self = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                         SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0))
        return;
    // The program keeps no inheritable copy: the tunnel client inherits handles too.
    UniqueHandle inheritable(self);
    StartStage({WatchStage::Launcher, reinterpret_cast<std::uintptr_t>(self)});
}

int RunProxyWatch(const WatchRequest& request) {
    const HANDLE program = reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(request.programHandle));
    if (request.stage == WatchStage::Watch)
        return Watch(program);
    // The launcher ends at once: the watch it starts has no living parent, so ending the program
    // with its children does not end the watch.
    const bool started = StartStage({WatchStage::Watch, request.programHandle});
    CloseHandle(program);
    return started ? 0 : 1;
}
