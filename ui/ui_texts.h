// Every text the program's face shows by itself: button captions, tray tooltips and balloon
// titles, and the popup menu. Callers bring their own message texts.
#pragma once

namespace ui_text {

// Caption of every message dialog and the title of every tray balloon.
inline constexpr char kProductName[] = "Masq NG";

// Button captions that never come from the system.
inline constexpr char kAll[] = "All";
inline constexpr char kNoToAll[] = "No to All";
inline constexpr char kYesToAll[] = "Yes to All";
inline constexpr char kNoticeOK[] = "&OK";

// The usual captions, for when the system's own string resources are missing (Wine has none).
inline constexpr char kOK[] = "OK";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kAbort[] = "&Abort";
inline constexpr char kRetry[] = "&Retry";
inline constexpr char kIgnore[] = "&Ignore";
inline constexpr char kYes[] = "&Yes";
inline constexpr char kNo[] = "&No";
inline constexpr char kHelp[] = "Help";

// Tray tooltips.
inline constexpr char kTipAtStart[] = "Masq";
inline constexpr char kTipOn[] = "Masq ON";
inline constexpr char kTipOff[] = "Masq OFF";

// Popup menu captions.
inline constexpr char kMenuMasq[] = "&Masq";
inline constexpr char kMenuStopMasq[] = "&Stop Masq";
inline constexpr char kMenuSelectIP[] = "Select I&P";
inline constexpr char kMenuSeeMyIP[] = "SEE my &IP...";
inline constexpr char kMenuOptions[] = "&Options...";
inline constexpr char kMenuReport[] = "&Report...";
inline constexpr char kMenuHelp[] = "Hel&p...";
inline constexpr char kMenuAbout[] = "&About...";
inline constexpr char kMenuExit[] = "&Exit";

// The one message for the hotkeys the system refused: each combination followed by a blank.
inline constexpr char kRegisterHotkeyFailed[] = "Register Hotkey %s failed!";

// The unblock advice dialog TfrmUnblock.
inline constexpr char kUnblockCaption[] = "Masq NG Unblock";
inline constexpr char kUnblockProgramPath[] = "Masq NG Path:";
inline constexpr char kUnblockWardenPath[] = "Warden Path:";
inline constexpr char kUnblockCopyProgram[] = "&Copy";
inline constexpr char kUnblockCopyWarden[] = "C&opy";
inline constexpr char kUnblockHelp[] = "&Help";
inline constexpr char kUnblockReconnect[] = "&Reconnect";
inline constexpr char kUnblockClose[] = "&Close";

// The About page's fixed texts; the third link names the what-is-my-IP page.
inline constexpr char kMakerName[] = "Masq Software";
inline constexpr char kLinkContactUs[] = "Contact Us";
inline constexpr char kLinkSeeMyIP[] = "SEE my IP";

}  // namespace ui_text
