// The tray's popup menu (ppmMain): the items of kTrayMenu, owner-drawn in the skin's colours
// (item height 21, a 26-pixel bar on the left, at 96 DPI), each still carrying its caption so
// that tools can read it. The keyboard works as in a standard menu: arrows, Enter, Escape and the
// items' mnemonics.
//
// The owner window passed to Popup() receives WM_COMMAND with the chosen item's commandId, and
// must forward WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR to HandleOwnerMessage() first.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "common/unique_handle_win.h"
#include "ui/toolkit/skin.h"
#include "ui/toolkit/skin_paint_win.h"
#include "ui/tray/tray_menu.h"

class TrayPopupMenu {
  public:
    explicit TrayPopupMenu(const Skin& skin);

    HMENU Handle() const { return menu_.Get(); }
    void SetSkin(const Skin& skin);

    void SetEnabled(TrayMenuItem item, bool enabled);
    bool IsEnabled(TrayMenuItem item) const;

    // Opens the menu at `at` (screen pixels) and returns when it closes.
    void Popup(HWND owner, POINT at);

    // The answer to a message of this menu; nothing for other messages.
    std::optional<LRESULT> HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

  private:
    void Measure(MEASUREITEMSTRUCT& item) const;
    void Draw(const DRAWITEMSTRUCT& item) const;
    LRESULT AnswerKey(char key) const;

    UniqueMenu menu_;
    UINT dpi_;
    std::unique_ptr<SkinPaint> paint_;
};
