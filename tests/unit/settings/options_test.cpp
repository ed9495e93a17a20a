#include "settings/options.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_settings_store.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kExe[] = "C:\\Program Files\\Masq NG\\masqng.exe";

using Lines = std::vector<std::string>;

TEST(LoadOptions, MissingKeysGiveTheDefaults) {
    FakeSettingsStore settings;
    FakeRegistry registry;
    EXPECT_EQ(LoadOptions(settings, registry), Options{});
    EXPECT_EQ(LoadHotkey(settings), (HotkeySettings{{87, 2}, {81, 2}, {68, 2}})) << "Ctrl + W, Ctrl + Q, Ctrl + D";
}

TEST(LoadOptions, ReadsEveryKeyAndTheAutostartEntry) {
    FakeSettingsStore settings;
    settings.Seed("Config", "AutoSelectCountry", "0");
    settings.Seed("Config", "BrowserIE", "0x0");
    settings.Seed("Config", "BrowserFirefox", "2");
    settings.Seed("Config", "FirefoxControlMode", "1");
    settings.Seed("HotKey", "Enable", "yes");  // no number: the default
    settings.Seed("HotKey", "hotkey_hide_vk", "90");
    settings.Seed("HotKey", "hotkey_hide_mod", "7");
    settings.Seed("HotKey", "hotkey_change_vk", "0x74");
    settings.Seed("HotKey", "hotkey_ip_mod", "Ctrl");  // no number: the default
    FakeRegistry registry;
    registry.values[{RegistryRoot::CurrentUser, kRunKey, "Masq NG"}] = kExe;

    Options options = LoadOptions(settings, registry);
    EXPECT_TRUE(options.startWithWindows);
    EXPECT_FALSE(options.autoSelectCountry);
    EXPECT_FALSE(options.browserIE);
    EXPECT_TRUE(options.browserFirefox);
    EXPECT_EQ(options.firefoxControlMode, kRestartFirefox);
    EXPECT_TRUE(options.hotkeyEnable);
    EXPECT_EQ(options.hotkeys, (HotkeySettings{{'Z', 7}, {0x74, 2}, {'D', 2}}));
}

TEST(LoadOptions, TheBypassListFollowsTheCounterAndMissingKeysGiveEmptyLines) {
    FakeSettingsStore settings;
    settings.Seed("Bypass", "Counter", "2");
    settings.Seed("Bypass", "1", "intranet.example");
    settings.Seed("Bypass", "3", "beyond.example");
    FakeRegistry registry;
    EXPECT_EQ(LoadOptions(settings, registry).bypass, (Lines{"intranet.example", ""}));

    settings.Seed("Bypass", "Counter", "2000000000");  // damaged: read no further than the limit
    EXPECT_EQ(LoadOptions(settings, registry).bypass.size(), std::size_t(kMaxBypassLines));
}

TEST(SaveOptions, WritesEveryKeyAndLeavesKeysAboveTheNewCount) {
    FakeSettingsStore settings;
    for (const char* key : {"1", "2", "3"})
        settings.Seed("Bypass", key, std::string("old") + key);
    settings.Seed("Bypass", "Counter", "3");
    Options options;
    options.autoSelectCountry = false;
    options.browserIE = false;
    options.firefoxControlMode = kRestartFirefox;
    options.bypass = {"new.example"};
    options.hotkeyEnable = false;
    options.hotkeys = {{'Z', 7}, {0, 0}, {'5', 1}};

    SaveOptions(options, settings);
    EXPECT_EQ(settings.Raw("Config", "AutoSelectCountry"), "0");
    EXPECT_EQ(settings.Raw("Config", "BrowserIE"), "0");
    EXPECT_EQ(settings.Raw("Config", "BrowserFirefox"), "1");
    EXPECT_EQ(settings.Raw("Config", "FirefoxControlMode"), "1");
    EXPECT_EQ(settings.Raw("Bypass", "Counter"), "1");
    EXPECT_EQ(settings.Raw("Bypass", "1"), "new.example");
    EXPECT_EQ(settings.Raw("Bypass", "2"), "old2");
    EXPECT_EQ(settings.Raw("HotKey", "Enable"), "0");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_hide_vk"), "90");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_hide_mod"), "7");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_change_vk"), "0");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_change_mod"), "0");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_ip_vk"), "53");
    EXPECT_EQ(settings.Raw("HotKey", "hotkey_ip_mod"), "1");
    EXPECT_EQ(LoadOptions(settings, FakeRegistry{}), options);
}

}  // namespace
