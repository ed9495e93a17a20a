// Sections and keys of masq.ini, and the autostart entry's name.
#pragma once

inline constexpr char kConfig[] = "Config";
inline constexpr char kVersion[] = "Version";
inline constexpr char kFirstRun[] = "FirstRun";
inline constexpr char kSkin[] = "Skin";
inline constexpr char kInternalPort[] = "InternalPort";
inline constexpr char kAutoSelectCountry[] = "AutoSelectCountry";
inline constexpr char kLastCountry[] = "LastCountry";
inline constexpr char kBrowserIE[] = "BrowserIE";
inline constexpr char kBrowserFirefox[] = "BrowserFirefox";
inline constexpr char kFirefoxControlMode[] = "FirefoxControlMode";
inline constexpr char kPass[] = "Pass";

inline constexpr char kBypass[] = "Bypass";
inline constexpr char kCounter[] = "Counter";

inline constexpr char kHotKey[] = "HotKey";
inline constexpr char kEnable[] = "Enable";
inline constexpr char kHotkeyHideVk[] = "hotkey_hide_vk";
inline constexpr char kHotkeyHideMod[] = "hotkey_hide_mod";
inline constexpr char kHotkeyChangeVk[] = "hotkey_change_vk";
inline constexpr char kHotkeyChangeMod[] = "hotkey_change_mod";
inline constexpr char kHotkeyIpVk[] = "hotkey_ip_vk";
inline constexpr char kHotkeyIpMod[] = "hotkey_ip_mod";

inline constexpr char kAutoStartName[] = "Masq NG";
