#include "ui/tray_status_display.h"

#include "ui/tray_status.h"
#include "ui/ui_texts.h"

void ShowTrayStatus(TCoolTrayIcon& tray,
                    const StatusImageLists& images,
                    std::uint8_t state,
                    const std::string& message,
                    BalloonIcon balloonIcon,
                    const std::string& hint) {
    std::optional<TrayLook> look = LookFor(state, message, hint);
    if (!look)
        return;
    tray.SetIconList(look->images == StatusImages::Busy ? &images.busy : &images.status);
    if (look->cycling) {
        tray.SetCycleInterval(kBusyCycleMilliseconds);
    } else {
        tray.SetIconIndex(look->iconIndex);
    }
    tray.SetCycleIcons(look->cycling);
    tray.SetHint(look->tip);
    tray.ShowBalloon(ui_text::kProductName, message, balloonIcon, kStatusBalloonSeconds);
}
