#include "ui/tray/masq_status.h"

#include <array>

#include "common/product_name.h"
#include "ui/tray/tray_texts.h"

namespace {

// Which items the on and off states open; busy leaves the menu as the last of them set it.
struct MenuFollowing {
    DisplayState state;
    bool masq;      // Masq1: hiding on
    bool selectIP;  // SelectIP1: choose a node
    bool stop;      // StopMasq1: hiding off
};

constexpr std::array kMenuFollowing{
    MenuFollowing{DisplayState::On, false, true, true},
    MenuFollowing{DisplayState::Off, true, false, false},
};

}  // namespace

std::optional<TrayLook> LookFor(DisplayState state, const std::string& message, const std::string& hint) {
    switch (state) {
        case DisplayState::Busy:
            return TrayLook{StatusImages::Busy, 0, true, message};
        case DisplayState::On:
            return TrayLook{StatusImages::Status, 0, false, hint.empty() ? ui_text::kTipOn : hint};
        case DisplayState::Off:
            return TrayLook{StatusImages::Status, 1, false, ui_text::kTipOff};
    }
    return std::nullopt;
}

void MasqStatus::SetMasqStatus(DisplayState state,
                               const std::string& message,
                               BalloonIcon balloonIcon,
                               const std::string& hint) {
    std::optional<TrayLook> look = LookFor(state, message, hint);
    if (!look)
        return;
    display_.ShowLook(*look);
    display_.ShowBalloon(kProductName, message, balloonIcon, kStatusBalloonSeconds);
    for (const MenuFollowing& row : kMenuFollowing) {
        if (row.state != state)
            continue;
        display_.SetMenuItemEnabled(TrayMenuItem::Masq1, row.masq);
        display_.SetMenuItemEnabled(TrayMenuItem::SelectIP1, row.selectIP);
        display_.SetMenuItemEnabled(TrayMenuItem::StopMasq1, row.stop);
    }
}
