// The options dialog's values and their way to and from the settings file and the autostart entry.
#pragma once

#include <string>
#include <vector>

class SettingsStore;
class Registry;

// Config/FirefoxControlMode is the index of the selected item; none selected is -1.
enum FirefoxControlMode { kNoFirefoxMode = -1, kPluginMode = 0, kRestartFirefox = 1 };

// A hotkey as the settings hold it: a virtual-key code and the modifier bits that RegisterHotKey
// takes (1 Alt, 2 Ctrl, 4 Shift). Whether the program accepts it is the hotkey edit's rule
// (ui/hotkey_text.h).
struct HotKey {
    int virtualKey = 0;
    int modifiers = 0;
    bool operator==(const HotKey&) const = default;
};

// The three hotkeys (section HotKey): hiding on or off, the popup menu, node selection.
struct HotkeySettings {
    HotKey hide{'W', 2};    // hotkey_hide_vk, hotkey_hide_mod: Ctrl + W
    HotKey popup{'Q', 2};   // hotkey_change_vk, hotkey_change_mod: Ctrl + Q
    HotKey select{'D', 2};  // hotkey_ip_vk, hotkey_ip_mod: Ctrl + D
    bool operator==(const HotkeySettings&) const = default;
};

HotkeySettings LoadHotkey(const SettingsStore& settings);

struct Options {
    bool startWithWindows = false;         // the autostart entry, not a key
    bool autoSelectCountry = true;         // Config/AutoSelectCountry
    bool browserIE = true;                 // Config/BrowserIE
    bool browserFirefox = true;            // Config/BrowserFirefox
    int firefoxControlMode = kPluginMode;  // Config/FirefoxControlMode
    std::vector<std::string> bypass;       // section Bypass, one site per line
    bool hotkeyEnable = true;              // HotKey/Enable
    HotkeySettings hotkeys;                // the rest of section HotKey
    bool operator==(const Options&) const = default;
};

Options LoadOptions(const SettingsStore& settings, const Registry& registry);

// The most lines of the bypass list read: a damaged counter must not stall the program with
// billions of reads; no list a person types comes near it.
inline constexpr int kMaxBypassLines = 10000;

// The stored list of sites to reach directly, one per line (section Bypass).
std::vector<std::string> LoadBypassList(const SettingsStore& settings);

// Writes every key of the options; the autostart entry is not a key: the caller sets it.
void SaveOptions(const Options& options, SettingsStore& settings);
