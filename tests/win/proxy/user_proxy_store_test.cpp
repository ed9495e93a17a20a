// The user's own proxy options in a real settings file: every text comes back exactly, whatever
// the profile functions would otherwise trim or unquote.
#include "proxy/user_proxy_store.h"
#include "settings/profile_settings_store_win.h"

#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(UserProxyStore, KeepsEveryTextExactlyInTheSettingsFile) {
    ScratchFolder scratch;
    ProfileSettingsStore settings;
    settings.Open(scratch.Path("masq.ini"));
    UserProxyStore store(settings);

    const ConnectionProxy lan{kProxyTypeDirect | kProxyTypeProxy, "proxy.example:8080", "<local>;*.corp"};
    const ConnectionProxy odd{kProxyTypeAutoDetect, " \"quoted\" ", "a=b;100%;'x'\t"};
    const std::string oddName = " VPN = [office]; 50% ";
    store.Save("", lan);
    store.Save(oddName, odd);
    EXPECT_EQ(FileBytes(scratch.Path("masq.ini")),
              "[UserProxy]\r\n"
              "LAN.Flags=3\r\nLAN.Server=proxy.example:8080\r\nLAN.Bypass=<local>;*.corp\r\nLAN.Saved=1\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Flags=8\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Server=%20%22quoted%22%20\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Bypass=a%3Db;100%25;%27x%27%09\r\n"
              "Dial-up %20VPN%20%3D%20[office];%2050%25%20.Saved=1\r\n");

    ProfileSettingsStore reopened;
    reopened.Open(scratch.Path("masq.ini"));
    UserProxyStore readBack(reopened);
    EXPECT_EQ(readBack.Saved(""), lan);
    EXPECT_EQ(readBack.Saved(oddName), odd);
    EXPECT_EQ(readBack.Saved("Other"), std::nullopt);

    readBack.Forget(oddName);
    EXPECT_EQ(store.Saved(oddName), std::nullopt);
    EXPECT_EQ(store.Saved(""), lan);
}

}  // namespace
