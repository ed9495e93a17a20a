// How the tray shows each display state of the session: which image list, which icon or the busy
// animation, which tooltip, and the balloon every change brings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/tray_rules.h"

// 0 busy (work in progress), 1 on (the browsers use the tunnel), 2 off (direct, or a failure).
enum class DisplayState : std::uint8_t { Busy = 0, On = 1, Off = 2 };

enum class StatusImages { Busy, Status };  // imlBusy (7 frames), imlStatus (0 on, 1 off)

inline constexpr int kBusyCycleMilliseconds = 300;
inline constexpr int kStatusBalloonSeconds = 10;

struct TrayLook {
    StatusImages images = StatusImages::Busy;
    int iconIndex = 0;
    bool cycling = false;
    std::string tip;
    bool operator==(const TrayLook&) const = default;
};

// The look of `state` (a raw byte: any value but 0, 1 and 2 changes nothing). `message` is the
// balloon's text; `hint`, when not empty, is the on state's tooltip.
std::optional<TrayLook> LookFor(std::uint8_t state, const std::string& message, const std::string& hint);
