#include "platform/shell_win.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

void WinShell::Open(std::string_view file, std::string_view parameters) {
    const std::string fileZ(file), parametersZ(parameters);
    ShellExecuteA(nullptr, "OPEN", fileZ.c_str(), parametersZ.empty() ? nullptr : parametersZ.c_str(), nullptr,
                  SW_SHOWNORMAL);
}
