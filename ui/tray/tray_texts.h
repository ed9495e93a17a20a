// The tray's own texts: its tooltips and the popup menu's captions.
#pragma once

namespace ui_text {

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

}  // namespace ui_text
