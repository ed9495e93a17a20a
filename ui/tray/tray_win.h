// The program in the notification area: the icon ctiControl with its image lists imlBusy and
// imlStatus, and the popup menu ppmMain. It shows the session's display state, and a click on
// the icon opens the menu.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/tray/cool_tray_icon_win.h"
#include "ui/tray/icon_list_win.h"
#include "ui/tray/status_display.h"
#include "ui/tray/tray_popup_menu_win.h"

class MasqTray final : public StatusDisplay {
  public:
    MasqTray();

    // Adds the icon (the first busy frame, still, with the tooltip "Masq"). The menu belongs to
    // `menuOwner`, the main form: its commands arrive there as WM_COMMAND, and the form hands the
    // menu's drawing messages to HandleMenuMessage.
    void Start(HWND menuOwner);
    void SetSkin(const Skin& skin);

    // Opens the menu at the cursor and returns when it closes.
    void PopupMenu();
    std::optional<LRESULT> HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    // StatusDisplay
    void ShowLook(const TrayLook& look) override;
    void ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int seconds) override;
    void SetMenuItemEnabled(TrayMenuItem item, bool enabled) override;
    bool IsMenuItemEnabled(TrayMenuItem item) const override;

  private:
    IconList imlBusy_;
    IconList imlStatus_;
    TCoolTrayIcon ctiControl_;
    TrayPopupMenu ppmMain_;
    HWND menuOwner_ = nullptr;
};
