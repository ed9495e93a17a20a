#include "settings/profile_settings_store_win.h"

#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProfileSettingsStoreTest : public testing::Test {
  protected:
    ScratchFolder scratch;
    std::string path = scratch.Path("masq.ini");
    ProfileSettingsStore store;

    void SetUp() override { store.Open(path); }
};

TEST(ProfileSettingsStore, BeforeItIsOpenedReadsGiveTheDefaultAndWritesGoNowhere) {
    ProfileSettingsStore store;
    store.WriteString("Config", "Version", "1.84");
    EXPECT_EQ(store.ReadString("Config", "Version", "none"), "none");
}

TEST_F(ProfileSettingsStoreTest, AMissingFileGivesTheDefaultsAndIsNotCreatedByReading) {
    EXPECT_EQ(store.ReadString("Config", "Version", ""), "");
    EXPECT_EQ(store.ReadString("Config", "Skin", "C:\\Masq NG\\default.skn"), "C:\\Masq NG\\default.skn");
    EXPECT_EQ(store.ReadInteger("Config", "LastCountry", 10), 10);
    EXPECT_TRUE(store.ReadBool("Config", "FirstRun", true));
    EXPECT_FALSE(store.ReadBool("Config", "AutoSelectCountry", false));
    EXPECT_EQ(FileBytes(path), std::nullopt);
}

TEST_F(ProfileSettingsStoreTest, EveryWriteReachesTheFileAtOnce) {
    store.WriteString("Config", "Version", "1.84");
    EXPECT_EQ(FileBytes(path), "[Config]\r\nVersion=1.84\r\n");

    store.WriteBool("Config", "FirstRun", false);
    store.WriteInteger("HotKey", "hotkey_hide_vk", 87);
    EXPECT_EQ(FileBytes(path), "[Config]\r\nVersion=1.84\r\nFirstRun=0\r\n[HotKey]\r\nhotkey_hide_vk=87\r\n");

    ProfileSettingsStore other;
    other.Open(path);
    EXPECT_EQ(other.ReadString("Config", "Version", ""), "1.84");
    EXPECT_FALSE(other.ReadBool("Config", "FirstRun", true));
    EXPECT_EQ(other.ReadInteger("HotKey", "hotkey_hide_vk", 0), 87);
}

TEST_F(ProfileSettingsStoreTest, ReadsTypedValuesFromAFileWrittenByHand) {
    WriteBytes(path,
               "[Config]\r\nLastCountry=0x1F\r\nFirstRun=yes\r\nBrowserIE=0\r\nInternalPort= 8080 \r\n"
               "[HotKey]\r\nEnable=2\r\nhotkey_ip_vk=0X44\r\n");
    EXPECT_EQ(store.ReadInteger("Config", "LastCountry", 10), 31);
    EXPECT_EQ(store.ReadInteger("HotKey", "hotkey_ip_vk", 0), 68);
    EXPECT_TRUE(store.ReadBool("Config", "FirstRun", true));
    EXPECT_FALSE(store.ReadBool("Config", "FirstRun", false));
    EXPECT_FALSE(store.ReadBool("Config", "BrowserIE", true));
    EXPECT_TRUE(store.ReadBool("HotKey", "Enable", false));
    EXPECT_EQ(store.ReadString("Config", "InternalPort", "7070"), "8080");
    EXPECT_EQ(store.ReadString("config", "internalport", "7070"), "8080");
    EXPECT_EQ(store.ReadString("Config", "Missing", "none"), "none");
    EXPECT_EQ(store.ReadString("Missing", "InternalPort", "7070"), "7070");
}

TEST_F(ProfileSettingsStoreTest, ValuesAndDefaultsOfAnyLengthComeBackWhole) {
    const std::string longValue(5000, 'v');
    const std::string longDefault = "C:\\" + std::string(700, 'd') + "\\default.skn";
    store.WriteString("Bypass", "1", longValue);
    EXPECT_EQ(store.ReadString("Bypass", "1", ""), longValue);
    EXPECT_EQ(store.ReadString("Config", "Skin", longDefault), longDefault);
    for (size_t length : {254u, 255u, 256u, 511u}) {
        const std::string value(length, 'x');
        store.WriteString("Bypass", "2", value);
        EXPECT_EQ(store.ReadString("Bypass", "2", ""), value) << length;
    }
}

TEST_F(ProfileSettingsStoreTest, ASectionsKeysAreListedInOrderAndTheSectionGoesWhole) {
    EXPECT_TRUE(store.KeysOf("UserProxy").empty()) << "no file";
    WriteBytes(path,
               "[Config]\r\nVersion=1.84\r\n[UserProxy]\r\nLAN.Flags=3\r\nDial-up Office%20VPN.Saved=1\r\n"
               "[Bypass]\r\nCounter=0\r\n");
    EXPECT_EQ(store.KeysOf("UserProxy"), (std::vector<std::string>{"LAN.Flags", "Dial-up Office%20VPN.Saved"}));
    EXPECT_TRUE(store.KeysOf("HotKey").empty());
    // More names than a first guess of the list's size holds.
    for (int i = 0; i < 300; ++i)
        store.WriteString("Many", "key number " + std::to_string(i), "x");
    const std::vector<std::string> many = store.KeysOf("Many");
    ASSERT_EQ(many.size(), 300u);
    EXPECT_EQ(many.back(), "key number 299");

    store.RemoveSection("UserProxy");
    store.RemoveSection("Many");
    EXPECT_EQ(FileBytes(path), "[Config]\r\nVersion=1.84\r\n[Bypass]\r\nCounter=0\r\n");
}

}  // namespace
