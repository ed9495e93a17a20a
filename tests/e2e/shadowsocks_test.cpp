// The whole road through a Shadowsocks node, on the real program: the maker's directory lists an
// ss-server (aes-256-gcm) as a Shadowsocks link names it, the program launches warden.exe for it,
// and a web site sees the node's address through the local proxy (tests/e2e/services.sh).
#include <gtest/gtest.h>

#include "tests/e2e/masq_fixture.h"
#include "tests/e2e/web_page.h"

namespace e2e {
namespace {

TEST_F(MasqTest, TheDirectorysShadowsocksNodeHidesTheAddressThroughAnEncryptedTunnel) {
    const std::string site = ServicesValue("ShadowsocksSite", "Directory");
    const std::string nodeOut = ServicesValue("ShadowsocksNode", "OutAddress");
    ASSERT_FALSE(site.empty()) << "the test services run no Shadowsocks node";
    UseDirectoryAtStart(10);
    UseDirectoryHosts(site, site, site);
    Masq masq;
    ASSERT_TRUE(masq.WaitForLog("Masq ON"));
    EXPECT_TRUE(masq.WaitForLog("Select IP: United States #1"));
    EXPECT_EQ(FetchPage(site, "/ip.php"), "127.0.0.1");
    EXPECT_EQ(FetchPageThroughSocks5(RunningNode().localPort, site, "/ip.php"), nodeOut);
}

}  // namespace
}  // namespace e2e
