#include "settings/maker_site.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_settings_store.h"

namespace {

TEST(MakerSite, SiteIniOverridesEachHostItNames) {
    FakeSettingsStore siteFile;
    siteFile.Seed("Hosts", "Directory", "dir.test");
    siteFile.Seed("hosts", "mirror2", "127.0.0.9");
    const MakerSite defaults;
    const MakerSite site = LoadMakerSite(siteFile);
    EXPECT_EQ(site.directoryHost, "dir.test");
    EXPECT_EQ(site.mirror1Host, defaults.mirror1Host);
    EXPECT_EQ(site.mirror2Host, "127.0.0.9");
    EXPECT_EQ(site.webHost, defaults.webHost);
    EXPECT_EQ(WhatIsMyIpUrl(site), "http://" + defaults.webHost + "/ip.php");
}

}  // namespace
