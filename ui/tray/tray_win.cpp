#include "ui/tray/tray_win.h"

#include "ui/toolkit/skin_paint_win.h"
#include "ui/tray/masq_status.h"
#include "ui/tray/tray_texts.h"

MasqTray::MasqTray() : imlBusy_(LoadBusyImages()), imlStatus_(LoadStatusImages()), ppmMain_(SystemSkin()) {
    ctiControl_.SetIconList(&imlBusy_);
    ctiControl_.SetHint(ui_text::kTipAtStart);
    ctiControl_.OnClick = [this] { PopupMenu(); };
}

void MasqTray::Start(HWND menuOwner) {
    menuOwner_ = menuOwner;
    ctiControl_.Show();
}

void MasqTray::SetSkin(const Skin& skin) {
    ppmMain_.SetSkin(skin);
}

void MasqTray::PopupMenu() {
    POINT cursor{};
    GetCursorPos(&cursor);
    ppmMain_.Popup(menuOwner_, cursor);
}

std::optional<LRESULT> MasqTray::HandleMenuMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ppmMain_.HandleOwnerMessage(message, wParam, lParam);
}

void MasqTray::ShowLook(const TrayLook& look) {
    ctiControl_.SetIconList(look.images == StatusImages::Busy ? &imlBusy_ : &imlStatus_);
    if (look.cycling) {
        ctiControl_.SetCycleInterval(kBusyCycleMilliseconds);
    } else {
        ctiControl_.SetIconIndex(look.iconIndex);
    }
    ctiControl_.SetCycleIcons(look.cycling);
    ctiControl_.SetHint(look.tip);
}

void MasqTray::ShowBalloon(const std::string& title, const std::string& text, BalloonIcon icon, int seconds) {
    ctiControl_.ShowBalloon(title, text, icon, seconds);
}

void MasqTray::SetMenuItemEnabled(TrayMenuItem item, bool enabled) {
    ppmMain_.SetEnabled(item, enabled);
}

bool MasqTray::IsMenuItemEnabled(TrayMenuItem item) const {
    return ppmMain_.IsEnabled(item);
}
