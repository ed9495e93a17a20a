#include "update/installer_launcher_win.h"

#include <windows.h>
// after windows.h
#include <shellapi.h>

bool WinInstallerLauncher::Start(const std::string& path) {
    // ShellExecute reports success with a value above 32.
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "Open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) >
           32;
}
