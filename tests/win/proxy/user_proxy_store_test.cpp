// The user's own proxy options in a real settings file: every text comes back exactly, whatever
// the profile functions would otherwise trim or unquote.
#include "proxy/user_proxy_store.h"
#include "settings/profile_settings_store_win.h"

#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(UserProxyStore, KeepsEveryTextExactlyInTheRecordsFile) {
    ScratchFolder scratch;
    ProfileSettingsStore settings;
    settings.Open(scratch.Path("userproxy.ini"));
    UserProxyStore store(settings);

    const ConnectionProxy lan{kProxyTypeDirect | kProxyTypeProxy, "proxy.example:8080", "<local>;*.corp"};
    const ConnectionProxy odd{kProxyTypeAutoDetect, " \"quoted\" ", "a=b;100%;'x'\t"};
    const std::string oddName = " VPN = [office]; 50% ";
    store.Save("", lan);
    store.Save(oddName, odd);
    EXPECT_EQ(FileBytes(scratch.Path("userproxy.ini")),
              "[UserProxy]\r\n"
              "LAN.Flags=3\r\nLAN.Server=proxy.example:8080\r\nLAN.Bypass=<local>;*.corp\r\nLAN.Saved=1\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Flags=8\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Server=%20%22quoted%22%20\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Bypass=a%3Db;100%25;%27x%27%09\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Saved=1\r\n");

    ProfileSettingsStore reopened;
    reopened.Open(scratch.Path("userproxy.ini"));
    UserProxyStore readBack(reopened);
    EXPECT_EQ(readBack.Saved(""), lan);
    EXPECT_EQ(readBack.Saved(oddName), odd);
    EXPECT_EQ(readBack.Saved("Other"), std::nullopt);

    readBack.Forget(oddName);
    EXPECT_EQ(store.Saved(oddName), std::nullopt);
    EXPECT_EQ(store.Saved(""), lan);
}

// What an earlier version left in masq.ini moves byte for byte, and masq.ini keeps the rest.
TEST(MoveUserProxyRecords, TakesTheSectionOutOfARealSettingsFileIntoTheRecords) {
    ScratchFolder scratch;
    const std::string kept = "[Config]\r\nVersion=1.83\r\n[Bypass]\r\nCounter=0\r\n";
    WriteBytes(scratch.Path("masq.ini"),
               "[Config]\r\nVersion=1.83\r\n[UserProxy]\r\nLAN.Flags=3\r\n"
               "LAN.Server=%20%22quoted%22%20\r\nLAN.Saved=1\r\n"
               "Dial-up %20VPN%20%3D%20[office].Saved=0\r\nSetByProcess=111\r\n"
               "[Bypass]\r\nCounter=0\r\n");
    ProfileSettingsStore settings, records;
    settings.Open(scratch.Path("masq.ini"));
    records.Open(scratch.Path("userproxy.ini"));
    MoveUserProxyRecords(settings, records);
    EXPECT_EQ(FileBytes(scratch.Path("masq.ini")), kept);
    EXPECT_EQ(FileBytes(scratch.Path("userproxy.ini")),
              "[UserProxy]\r\nLAN.Flags=3\r\nLAN.Server=%20%22quoted%22%20\r\nLAN.Saved=1\r\n"
              "Dial-up %20VPN%20%3D%20[office].Saved=0\r\nSetByProcess=111\r\n");
    EXPECT_EQ(UserProxyStore(records).Saved(""), (ConnectionProxy{3, " \"quoted\" ", ""}));
}

}  // namespace
