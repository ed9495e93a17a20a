// A window's text, whatever its length.
#pragma once

#include <windows.h>

#include <string>

// The text of a window of this process (a control's content, a form's caption).
std::string WindowText(HWND window);
