#include "ui/tray_status.h"

#include "ui/ui_texts.h"

std::optional<TrayLook> LookFor(std::uint8_t state, const std::string& message, const std::string& hint) {
    switch (DisplayState(state)) {
        case DisplayState::Busy:
            return TrayLook{StatusImages::Busy, 0, true, message};
        case DisplayState::On:
            return TrayLook{StatusImages::Status, 0, false, hint.empty() ? ui_text::kTipOn : hint};
        case DisplayState::Off:
            return TrayLook{StatusImages::Status, 1, false, ui_text::kTipOff};
    }
    return std::nullopt;
}
