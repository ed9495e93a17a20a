// Wine's notification area as a user meets it: the stand-alone "Wine System Tray" window, whose
// children are the icons (a desktop without a window manager shows it top left).
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The first icon in the tray; nullptr when there is none.
HWND TrayIcon();
bool WaitForTrayIcon();
// A left click on the first icon, as the mouse gives it.
void ClickTrayIcon();
// The tooltip the tray shows while the pointer rests on the first icon.
std::string TrayTooltip();
// The tray and the area below it, where balloons appear.
void SaveTrayScreenshot(const std::string& name);

}  // namespace e2e
