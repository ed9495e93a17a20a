#include "settings/options.h"

#include <algorithm>

#include "platform/environment.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

namespace {

struct HotkeyKeys {
    HotKey HotkeySettings::*hotkey;
    const char* virtualKey;
    const char* modifiers;
};
// In the order SaveOptions writes them.
const HotkeyKeys kHotkeyKeys[] = {
    {&HotkeySettings::hide, kHotkeyHideVk, kHotkeyHideMod},
    {&HotkeySettings::popup, kHotkeyChangeVk, kHotkeyChangeMod},
    {&HotkeySettings::select, kHotkeyIpVk, kHotkeyIpMod},
};

}  // namespace

HotkeySettings LoadHotkey(const SettingsStore& settings) {
    HotkeySettings hotkeys;
    for (const HotkeyKeys& keys : kHotkeyKeys) {
        HotKey& hotkey = hotkeys.*keys.hotkey;
        hotkey.virtualKey = settings.ReadInteger(kHotKey, keys.virtualKey, hotkey.virtualKey);
        hotkey.modifiers = settings.ReadInteger(kHotKey, keys.modifiers, hotkey.modifiers);
    }
    return hotkeys;
}

Options LoadOptions(const SettingsStore& settings, const Registry& registry) {
    Options options;
    options.startWithWindows = IsAutoStart(registry, kAutoStartName);
    options.autoSelectCountry = settings.ReadBool(kConfig, kAutoSelectCountry, true);
    options.browserIE = settings.ReadBool(kConfig, kBrowserIE, true);
    options.browserFirefox = settings.ReadBool(kConfig, kBrowserFirefox, true);
    options.firefoxControlMode = settings.ReadInteger(kConfig, kFirefoxControlMode, kPluginMode);
    options.bypass = LoadBypassList(settings);
    options.hotkeyEnable = settings.ReadBool(kHotKey, kEnable, true);
    options.hotkeys = LoadHotkey(settings);
    return options;
}

std::vector<std::string> LoadBypassList(const SettingsStore& settings) {
    std::vector<std::string> lines;
    const int count = std::min(settings.ReadInteger(kBypass, kCounter, 0), kMaxBypassLines);
    for (int i = 1; i <= count; ++i)
        lines.push_back(settings.ReadString(kBypass, std::to_string(i), ""));
    return lines;
}

void SaveOptions(const Options& options, SettingsStore& settings) {
    settings.WriteBool(kConfig, kAutoSelectCountry, options.autoSelectCountry);
    settings.WriteBool(kConfig, kBrowserIE, options.browserIE);
    settings.WriteBool(kConfig, kBrowserFirefox, options.browserFirefox);
    settings.WriteInteger(kConfig, kFirefoxControlMode, options.firefoxControlMode);
    // Keys numbered above the new count stay in the file; the counter hides them.
    settings.WriteInteger(kBypass, kCounter, int(options.bypass.size()));
    for (size_t i = 0; i < options.bypass.size(); ++i)
        settings.WriteString(kBypass, std::to_string(i + 1), options.bypass[i]);
    for (const HotkeyKeys& keys : kHotkeyKeys) {
        const HotKey& hotkey = options.hotkeys.*keys.hotkey;
        settings.WriteInteger(kHotKey, keys.virtualKey, hotkey.virtualKey);
        settings.WriteInteger(kHotKey, keys.modifiers, hotkey.modifiers);
    }
    settings.WriteBool(kHotKey, kEnable, options.hotkeyEnable);
}
