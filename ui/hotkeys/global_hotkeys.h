// The three global hotkeys: hiding on or off, the popup menu at the cursor, node selection. Their
// identifiers are made once per run; they are registered from the stored combinations while
// HotKey/Enable is set, and each WM_HOTKEY works the tray menu as a click would.
#pragma once

#include <array>
#include <functional>

#include "ui/hotkeys/hotkeys.h"
#include "ui/tray/tray_menu.h"

class HotkeyRegistrar;
class MessageBoxes;
class SettingsStore;
class StatusDisplay;

struct HotkeyPorts {
    HotkeyRegistrar& registrar;
    const SettingsStore& settings;
    MessageBoxes& messages;
    const StatusDisplay& menu;  // which of the menu's items are enabled
};

// What the hotkeys work; the composition root wires them.
struct HotkeyCalls {
    std::function<void(TrayMenuItem)> clickMenuItem;  // runs the item's command
    std::function<void()> popupMenu;                  // the tray menu at the cursor
};

class GlobalHotkeys final : public Hotkeys {
  public:
    GlobalHotkeys(HotkeyPorts ports, HotkeyCalls calls);

    void InitHotkeys() override;
    void DisableAllHotkeys() override;
    // Registers every accepted combination; one message lists those the system refused. False
    // when the hotkeys are disabled or one was refused.
    bool EnableAllHotKeys() override;

    // The main form's WM_HOTKEY, with the hotkey's identifier.
    void WMHotKey(int id);

  private:
    void HideOrStop();
    void PopupMenu();
    void SelectIP();
    void ClickIfEnabled(TrayMenuItem item);

    HotkeyPorts ports_;
    HotkeyCalls calls_;
    std::array<int, 3> ids_{};  // hkeHide, hkePop, hkeSelect; 0 until made
};
