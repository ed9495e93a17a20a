// SetMasqStatus: the one way every subsystem shows that work is under way (busy), that the
// browsers use the tunnel (on), or that they go direct or something failed (off). Each call sets
// the tray's look, shows a balloon and sets the menu items that follow the state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/tray/status_display.h"

enum class DisplayState : std::uint8_t { Busy = 0, On = 1, Off = 2 };

inline constexpr int kBusyCycleMilliseconds = 300;
inline constexpr int kStatusBalloonSeconds = 10;

// The look of `state`: any value but busy, on and off has none. `message` is the busy state's
// tooltip; `hint`, when not empty, is the on state's.
std::optional<TrayLook> LookFor(DisplayState state, const std::string& message, const std::string& hint);

class MasqStatus {
  public:
    explicit MasqStatus(StatusDisplay& display) : display_(display) {}

    // Any state but busy, on and off changes nothing. Every other call shows a balloon with
    // `message` under the title "Masq NG", also when the state does not change.
    void SetMasqStatus(DisplayState state,
                       const std::string& message,
                       BalloonIcon balloonIcon,
                       const std::string& hint = {});

  private:
    StatusDisplay& display_;
};
