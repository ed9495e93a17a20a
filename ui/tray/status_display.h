// The port through which the session's display state reaches the user: the tray icon with its
// tooltip and balloons, and the popup menu's items that follow the state. The tray and its menu
// are the state's only record.
#pragma once

#include <string>

#include "ui/tray/tray_menu.h"
#include "ui/tray/tray_rules.h"

enum class StatusImages { Busy, Status };  // imlBusy (7 frames), imlStatus (0 on, 1 off)

struct TrayLook {
    StatusImages images = StatusImages::Busy;
    int iconIndex = 0;     // the icon shown when not cycling
    bool cycling = false;  // the busy animation, from the list's first icon
    std::string tip;
    bool operator==(const TrayLook&) const = default;
};

class StatusDisplay {
  public:
    virtual ~StatusDisplay() = default;
    virtual void ShowLook(const TrayLook& look) = 0;
    virtual void ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int seconds) = 0;
    virtual void SetMenuItemEnabled(TrayMenuItem item, bool enabled) = 0;
    virtual bool IsMenuItemEnabled(TrayMenuItem item) const = 0;
};
