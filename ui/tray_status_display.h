// Shows a display state of the session on the tray (SetMasqStatus's tray steps): the image list,
// the icon or the busy animation, the tooltip and the balloon.
#pragma once

#include <cstdint>
#include <string>

#include "ui/cool_tray_icon.h"
#include "ui/icon_list.h"

struct StatusImageLists {
    IconList busy = LoadBusyImages();      // imlBusy
    IconList status = LoadStatusImages();  // imlStatus
};

// `state` 0 busy, 1 on, 2 off; any other value changes nothing. The balloon shows `message`
// under the title "Masq NG" for ten seconds; `hint`, when not empty, is the on state's tooltip.
void ShowTrayStatus(TCoolTrayIcon& tray,
                    const StatusImageLists& images,
                    std::uint8_t state,
                    const std::string& message,
                    BalloonIcon balloonIcon,
                    const std::string& hint);
