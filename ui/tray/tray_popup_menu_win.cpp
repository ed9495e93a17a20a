#include "ui/tray/tray_popup_menu_win.h"

#include <vector>

#include "ui/toolkit/dpi_scale.h"
#include "ui/toolkit/screen_dc_win.h"

namespace {

std::size_t PositionOf(TrayMenuItem item) {
    return static_cast<std::size_t>(&EntryOf(item) - kTrayMenu.data());
}

}  // namespace

TrayPopupMenu::TrayPopupMenu(const Skin& skin)
    : menu_(CreatePopupMenu()), dpi_(ScreenDc().Dpi()), paint_(std::make_unique<SkinPaint>(skin, dpi_)) {
    for (const TrayMenuEntry& entry : kTrayMenu) {
        MENUITEMINFOA info{sizeof(info)};
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_DATA;
        info.fType = MFT_OWNERDRAW;
        info.fState = entry.enabledAtStart ? MFS_ENABLED : MFS_DISABLED;
        info.wID = entry.commandId;
        info.dwItemData = PositionOf(entry.item);
        info.dwTypeData = const_cast<char*>(entry.caption);
        InsertMenuItemA(menu_.Get(), GetMenuItemCount(menu_.Get()), TRUE, &info);
    }
}

void TrayPopupMenu::SetSkin(const Skin& skin) {
    paint_ = std::make_unique<SkinPaint>(skin, dpi_);
}

void TrayPopupMenu::SetEnabled(TrayMenuItem item, bool enabled) {
    EnableMenuItem(menu_.Get(), EntryOf(item).commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

bool TrayPopupMenu::IsEnabled(TrayMenuItem item) const {
    return !(GetMenuState(menu_.Get(), EntryOf(item).commandId, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

void TrayPopupMenu::Popup(HWND owner, POINT at) {
    // Without the owner in the foreground the menu would not close on a click elsewhere, and
    // without the WM_NULL after it the next popup could close at once.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}

std::optional<LRESULT> TrayPopupMenu::HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    switch (message) {
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU || !ItemOfCommand(item.itemID))
                return std::nullopt;
            Measure(item);
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU || reinterpret_cast<HMENU>(item.hwndItem) != menu_.Get())
                return std::nullopt;
            Draw(item);
            return TRUE;
        }
        case WM_MENUCHAR:
            if (reinterpret_cast<HMENU>(lParam) != menu_.Get())
                return std::nullopt;
            return AnswerKey(char(LOWORD(wParam)));
        default:
            return std::nullopt;
    }
}

void TrayPopupMenu::Measure(MEASUREITEMSTRUCT& item) const {
    SIZE text = ScreenDc().MeasureText(kTrayMenu.at(item.itemData).caption, paint_->TextFont());
    item.itemWidth = ScaleToDpi(kMenuLeftBarWidth + kMenuTextGap + kMenuTextRightPadding, dpi_) + text.cx;
    item.itemHeight = ScaleToDpi(kMenuItemHeight, dpi_);
}

void TrayPopupMenu::Draw(const DRAWITEMSTRUCT& item) const {
    const Skin& skin = paint_->Colors();
    const bool selected = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & (ODS_GRAYED | ODS_DISABLED);
    HDC dc = item.hDC;

    RECT bar = item.rcItem;
    bar.right = bar.left + ScaleToDpi(kMenuLeftBarWidth, dpi_);
    FillRect(dc, &bar, paint_->Brush(skin.titleBar));
    RECT face = item.rcItem;
    face.left = bar.right;
    FillRect(dc, &face, paint_->Brush(selected ? skin.menuHighlight : skin.menuFace));

    RECT text = face;
    text.left += ScaleToDpi(kMenuTextGap, dpi_);
    HGDIOBJ oldFont = SelectObject(dc, paint_->TextFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ToColorRef(disabled ? skin.disabledText : selected ? skin.menuHighlightText : skin.menuText));
    UINT format = DT_SINGLELINE | DT_VCENTER | ((item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextA(dc, kTrayMenu.at(item.itemData).caption, -1, &text, format);
    SelectObject(dc, oldFont);
}

LRESULT TrayPopupMenu::AnswerKey(char key) const {
    std::vector<MenuKeyItem> items;
    int selected = -1;
    for (const TrayMenuEntry& entry : kTrayMenu) {
        UINT state = GetMenuState(menu_.Get(), entry.commandId, MF_BYCOMMAND);
        if (state & MF_HILITE)
            selected = int(items.size());
        items.push_back({entry.caption, !(state & (MF_GRAYED | MF_DISABLED))});
    }
    MenuKeyAnswer answer = AnswerMenuKey(items, key, selected);
    switch (answer.action) {
        case MenuKeyAnswer::Action::Execute:
            return MAKELRESULT(answer.index, MNC_EXECUTE);
        case MenuKeyAnswer::Action::Select:
            return MAKELRESULT(answer.index, MNC_SELECT);
        case MenuKeyAnswer::Action::None:
            break;
    }
    return MAKELRESULT(0, MNC_IGNORE);
}
