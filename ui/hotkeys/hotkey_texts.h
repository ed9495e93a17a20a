// The hotkeys' one message.
#pragma once

namespace ui_text {

// The one message for the hotkeys the system refused: each combination followed by a blank.
inline constexpr char kRegisterHotkeyFailed[] = "Register Hotkey %s failed!";

}  // namespace ui_text
