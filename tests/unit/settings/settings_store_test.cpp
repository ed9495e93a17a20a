#include "fakes/fake_settings_store.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadInteger, ReadsDecimalAndHexAndGivesTheDefaultForTextThatIsNoNumber) {
    struct Case {
        const char* stored;
        int expected;  // with the default 77
    };
    const Case cases[] = {
        {"10", 10},
        {"-7", -7},
        {"+5", 5},
        {"0", 0},
        {"0x1F", 31},
        {"0Xff", 255},
        {"0x7FFFFFFF", 2147483647},
        {"0xFFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"", 77},
        {"abc", 77},
        {"12abc", 77},
        {"1.5", 77},
        {"+-5", 77},
        {"0x", 77},
        {"0xG1", 77},
        {"0x-1", 77},
        {"0x100000000", 77},
        {"2147483648", 77},
        {"$1F", 77},
    };
    for (const Case& c : cases) {
        FakeSettingsStore store;
        store.Seed("Config", "Value", c.stored);
        EXPECT_EQ(store.ReadInteger("Config", "Value", 77), c.expected) << '"' << c.stored << '"';
    }
}

TEST(ReadInteger, MissingKeyGivesTheDefault) {
    FakeSettingsStore store;
    EXPECT_EQ(store.ReadInteger("Config", "LastCountry", 10), 10);
}

TEST(ReadBool, ZeroIsFalseAnyOtherNumberTrueAndTextTheDefault) {
    struct Case {
        const char* stored;
        bool withDefaultTrue;
        bool withDefaultFalse;
    };
    const Case cases[] = {
        {"0", false, false},  {"1", true, true},    {"-1", true, true},    {"2", true, true}, {"0x0", false, false},
        {"0x10", true, true}, {"yes", true, false}, {"true", true, false}, {"", true, false},
    };
    for (const Case& c : cases) {
        FakeSettingsStore store;
        store.Seed("HotKey", "Enable", c.stored);
        EXPECT_EQ(store.ReadBool("HotKey", "Enable", true), c.withDefaultTrue) << '"' << c.stored << '"';
        EXPECT_EQ(store.ReadBool("HotKey", "Enable", false), c.withDefaultFalse) << '"' << c.stored << '"';
    }
    FakeSettingsStore empty;
    EXPECT_TRUE(empty.ReadBool("HotKey", "Enable", true));
    EXPECT_FALSE(empty.ReadBool("HotKey", "Enable", false));
}

TEST(SettingsStore, WritesBooleansAsOneAndZeroAndIntegersInDecimal) {
    FakeSettingsStore store;
    store.WriteBool("Config", "FirstRun", false);
    store.WriteBool("Config", "BrowserIE", true);
    store.WriteInteger("HotKey", "hotkey_hide_vk", 87);
    store.WriteInteger("Config", "LastCountry", -3);

    EXPECT_EQ(store.Raw("Config", "FirstRun"), "0");
    EXPECT_EQ(store.Raw("Config", "BrowserIE"), "1");
    EXPECT_EQ(store.Raw("HotKey", "hotkey_hide_vk"), "87");
    EXPECT_EQ(store.Raw("Config", "LastCountry"), "-3");
    EXPECT_EQ(store.Writes(), 4);
}

}  // namespace
