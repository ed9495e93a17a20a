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
// Waits until a balloon shows `text` (Wine shows it a moment after it was set).
bool WaitForBalloon(const std::string& text);
// The tray and the area below it, where balloons appear.
void SaveTrayScreenshot(const std::string& name);

// What the first icon shows, told by its colours: the on icon is a green shield, the off icon a
// red disc.
enum class IconColour { Green, Red, Other };
IconColour TrayIconColour();
// Waits until the first icon shows `colour` and its tooltip reads `tooltip`: the program logs a
// change of state a moment before the tray shows it.
bool WaitForTrayState(IconColour colour, const std::string& tooltip);

}  // namespace e2e
