#include "platform/environment.h"

#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"

#include <gtest/gtest.h>

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kHttpCommandKey[] = "http\\shell\\open\\command";

TEST(GetOSName, NamesTheKnownVersionsAndSpellsOutTheOthers) {
    struct Case {
        OsVersion version;
        int code;
        const char* name;
    };
    const Case cases[] = {
        {{4, 0}, 400, "Windows 95"},
        {{4, 10}, 410, "Windows 98"},
        {{4, 90}, 490, "Windows ME"},
        {{5, 0}, 500, "Windows 2000"},
        {{5, 1}, 501, "Windows XP"},
        {{5, 2}, 502, "Unknown OS: ( Windows 5.2 )"},
        {{6, 0}, 600, "Windows Vista"},
        {{6, 1}, 601, "Windows 7"},
        {{6, 2}, 602, "Windows 8"},
        {{6, 3}, 603, "Unknown OS: ( Windows 6.3 )"},
        {{10, 0}, 1000, "Unknown OS: ( Windows 10.0 )"},
        {{0, 0}, 0, "Unknown OS: ( Windows 0.0 )"},
    };
    for (const Case& c : cases) {
        const OsName os = GetOSName(c.version);
        EXPECT_EQ(os.versionCode, c.code) << c.name;
        EXPECT_EQ(os.name, c.name);
    }
}

TEST(GetTimeZoneText, GivesTheZonesTrueOffset) {
    struct Case {
        LocalDateTime utc;
        LocalDateTime local;
        const char* expected;
    };
    const Case cases[] = {
        {{2026, 12, 7, 10, 0, 0, 0}, {2026, 12, 7, 11, 0, 0, 0}, "GMT +1"},
        {{2026, 12, 7, 10, 0, 0, 0}, {2026, 12, 7, 10, 0, 0, 0}, "GMT -0"},
        {{2026, 12, 7, 10, 0, 0, 0}, {2026, 12, 7, 5, 0, 0, 0}, "GMT -5"},
        // Across midnight, both ways, and across the year's end.
        {{2026, 12, 7, 23, 30, 0, 0}, {2026, 12, 8, 0, 30, 0, 0}, "GMT +1"},
        {{2026, 12, 8, 2, 0, 0, 0}, {2026, 12, 7, 21, 0, 0, 0}, "GMT -5"},
        {{2026, 12, 31, 23, 0, 0, 0}, {2027, 1, 1, 9, 0, 0, 0}, "GMT +10"},
        {{2028, 2, 29, 1, 0, 0, 0}, {2028, 2, 28, 15, 0, 0, 0}, "GMT -10"},
        {{2026, 6, 1, 10, 0, 0, 0}, {2026, 6, 2, 0, 0, 0, 0}, "GMT +14"},
        // Zones off the whole hour.
        {{2026, 12, 7, 10, 0, 0, 0}, {2026, 12, 7, 15, 30, 0, 0}, "GMT +5:30"},
        {{2026, 12, 7, 20, 0, 0, 0}, {2026, 12, 8, 1, 45, 0, 0}, "GMT +5:45"},
        {{2026, 12, 7, 12, 0, 0, 0}, {2026, 12, 7, 8, 30, 0, 0}, "GMT -3:30"},
        {{2026, 12, 7, 12, 0, 0, 0}, {2026, 12, 7, 11, 30, 0, 0}, "GMT -0:30"},
        // The clock ticks between the two readings.
        {{2026, 12, 7, 10, 59, 59, 999}, {2026, 12, 7, 12, 0, 0, 2}, "GMT +1"},
        {{2026, 12, 7, 23, 59, 59, 990}, {2026, 12, 7, 19, 0, 0, 10}, "GMT -5"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetTimeZoneText(c.utc, c.local), c.expected);
    }
}

TEST(GetDefaultBrowser, ReadsTheHttpOpenCommandOrGivesNothing) {
    FakeRegistry registry;
    EXPECT_EQ(GetDefaultBrowser(registry), "");
    EXPECT_TRUE(registry.values.empty());

    registry.values[{RegistryRoot::ClassesRoot, kHttpCommandKey, ""}] = "\"C:\\Firefox\\firefox.exe\" -url \"%1\"";
    EXPECT_EQ(GetDefaultBrowser(registry), "\"C:\\Firefox\\firefox.exe\" -url \"%1\"");
}

TEST(AutoStart, RoundTripsTheRunValue) {
    FakeRegistry registry;
    EXPECT_FALSE(IsAutoStart(registry, "Masq NG"));

    EXPECT_TRUE(SetAutoStart(registry, true, "Masq NG", "C:\\Program Files\\Masq NG\\masqng.exe"));
    EXPECT_TRUE(IsAutoStart(registry, "Masq NG"));
    EXPECT_EQ((registry.values[{RegistryRoot::CurrentUser, kRunKey, "Masq NG"}]),
              "C:\\Program Files\\Masq NG\\masqng.exe");

    EXPECT_TRUE(SetAutoStart(registry, false, "Masq NG", "C:\\Program Files\\Masq NG\\masqng.exe"));
    EXPECT_FALSE(IsAutoStart(registry, "Masq NG"));
    EXPECT_TRUE(SetAutoStart(registry, false, "Masq NG", ""));
}

TEST(AutoStart, AnEmptyValueIsNoEntry) {
    FakeRegistry registry;
    registry.values[{RegistryRoot::CurrentUser, kRunKey, "Masq NG"}] = "";
    EXPECT_FALSE(IsAutoStart(registry, "Masq NG"));
}

TEST(AutoStart, ARefusingRegistryGivesFalseAndChangesNothing) {
    FakeRegistry registry;
    registry.values[{RegistryRoot::CurrentUser, kRunKey, "Masq NG"}] = "C:\\masqng.exe";
    registry.refusing = true;
    EXPECT_FALSE(SetAutoStart(registry, false, "Masq NG", "C:\\masqng.exe"));
    EXPECT_TRUE(IsAutoStart(registry, "Masq NG"));
    EXPECT_FALSE(SetAutoStart(registry, true, "Other", "C:\\other.exe"));
    EXPECT_FALSE(IsAutoStart(registry, "Other"));
}

TEST(OpenURL, LetsTheShellOpenTheUrlWhenABrowserIsRegistered) {
    FakeRegistry registry;
    FakeShell shell;
    registry.values[{RegistryRoot::ClassesRoot, kHttpCommandKey, ""}] = "\"C:\\Browser\\browser.exe\" \"%1\"";
    OpenURL(registry, shell, "http://127.0.0.1/ip");
    EXPECT_EQ(shell.opened, (std::vector<FakeShell::Opened>{{"http://127.0.0.1/ip", ""}}));
}

TEST(OpenURL, StartsInternetExplorerWithTheUrlWhenNoBrowserIsRegistered) {
    FakeRegistry registry;
    FakeShell shell;
    OpenURL(registry, shell, "http://127.0.0.1/ip");
    EXPECT_EQ(shell.opened, (std::vector<FakeShell::Opened>{{"iexplore.exe", "http://127.0.0.1/ip"}}));
}

}  // namespace
