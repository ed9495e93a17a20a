// Where the test run keeps what people look at afterwards: screenshots of every window.
#pragma once

#include <windows.h>

#include <string>

namespace driver {

// The artifacts folder (MASQ_ARTIFACTS, a Windows path), created on first use.
std::string ArtifactsFolder();

// Saves what the screen shows inside `bounds` (the whole screen when empty) as `name`.bmp.
bool SaveScreenshot(const std::string& name, RECT bounds = {});
// The window and, when given, a margin of screen around it (for menus and balloons near it).
bool SaveWindowScreenshot(const std::string& name, HWND window, int margin = 0);

}  // namespace driver
