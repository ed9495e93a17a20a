// The tray's popup menu ppmMain: its items in menu order with command ids, captions and the
// state at start, the metrics of its skinned look, and how it answers a typed key.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class TrayMenuItem { Masq1, StopMasq1, SelectIP1, SeeMyIP1, Options1, Report1, Help1, About1, Exit1 };

struct TrayMenuEntry {
    TrayMenuItem item;
    unsigned commandId;  // arrives at the menu's owner as WM_COMMAND
    const char* caption;
    bool enabledAtStart;
};

extern const std::array<TrayMenuEntry, 9> kTrayMenu;

const TrayMenuEntry& EntryOf(TrayMenuItem item);
std::optional<TrayMenuItem> ItemOfCommand(unsigned commandId);

// 96-DPI pixels of the owner-drawn look.
inline constexpr int kMenuItemHeight = 21;
inline constexpr int kMenuLeftBarWidth = 26;
inline constexpr int kMenuTextGap = 8;  // the left bar to the caption
inline constexpr int kMenuTextRightPadding = 16;

// A key typed while the menu is open (WM_MENUCHAR): among the enabled items whose mnemonic is the
// key, the only one runs at once; with several, the next one after the selection is selected.
struct MenuKeyAnswer {
    enum class Action { None, Select, Execute } action = Action::None;
    int index = -1;
    bool operator==(const MenuKeyAnswer&) const = default;
};

struct MenuKeyItem {
    std::string caption;
    bool enabled = true;
};

MenuKeyAnswer AnswerMenuKey(const std::vector<MenuKeyItem>& items, char key, int selected);
