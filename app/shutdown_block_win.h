// The reason Windows shows while the program holds the end of the session up. The functions
// exist from Windows Vista on only, so they are looked up at run time on every call.
#pragma once

#include <windows.h>

#include <string>

bool SetShutdownBlockReason(HWND window, const std::string& text);
bool ClearShutdownBlockReason(HWND window);
