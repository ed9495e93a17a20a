#include "proxy/system_proxy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/fakes/fake_connection_options.h"
#include "tests/fakes/fake_dial_up_connections.h"
#include "tests/fakes/fake_settings_store.h"

using ::testing::ElementsAre;

namespace {

const char kServer[] = "127.0.0.1:7070";
const char kOurs[] = "socks=127.0.0.1:7070";
const char kBypass[] = "a.example,b.example,";

ConnectionOption Flags(std::uint32_t flags) {
    return {ConnectionOptionId::Flags, flags};
}
ConnectionOption Server(const std::string& server) {
    return {ConnectionOptionId::ProxyServer, server};
}
ConnectionOption Bypass(const std::string& bypass) {
    return {ConnectionOptionId::ProxyBypass, bypass};
}

class SystemProxyTest : public testing::Test {
  protected:
    // As the browser proxy calls it: the run's mark says the browsers are on the program's proxy
    // from the first setting call until a clearing call.
    void On(const std::string& bypass = kBypass) {
        proxy.SetSystemProxy(true, kServer, bypass, true, ours);
        ours.browsersOnIt = true;
    }
    void Off() {
        proxy.SetSystemProxy(false, "", "", true, ours);
        ours.browsersOnIt = false;
    }

    OurProxy ours{kOurs, false};
    FakeConnectionOptions options;
    FakeDialUpConnections dialUp;
    FakeSettingsStore settings;
    SystemProxy proxy{options, dialUp, settings};
};

TEST_F(SystemProxyTest, TheLanGetsTheOptionListsOfSettingAndClearing) {
    ours.browsersOnIt = true;  // a session
    struct Case {
        const char* name;
        bool enable;
        std::string server;
        std::string bypass;
        ConnectionOptionList list;
    };
    const Case cases[] = {
        {"setting", true, kServer, kBypass, {"", {Flags(2), Server(kOurs), Bypass(kBypass)}}},
        {"setting, empty bypass", true, kServer, "", {"", {Flags(2), Server(kOurs)}}},
        {"clearing", false, "", "", {"", {Flags(1), Server("socks=")}}},
        {"clearing empties the server", false, kServer, "", {"", {Flags(1), Server("socks=")}}},
    };
    for (const Case& c : cases) {
        options.lists.clear();
        options.calls.clear();
        EXPECT_TRUE(proxy.SetConnectionProxy(c.enable, "", c.server, c.bypass, true, ours)) << c.name;
        EXPECT_THAT(options.lists, ElementsAre(c.list)) << c.name;
        EXPECT_THAT(options.calls, ElementsAre("Set ", "Refresh", "SettingsChanged")) << c.name;
    }
}

TEST_F(SystemProxyTest, WithoutSocksTheServerIsWrittenAsItIs) {
    proxy.SetConnectionProxy(true, "", kServer, "", false, ours);
    EXPECT_THAT(options.lists, ElementsAre(ConnectionOptionList{"", {Flags(2), Server(kServer)}}));
}

TEST_F(SystemProxyTest, ARefusedListIsStillFollowedByBothNotices) {
    options.setFails = true;
    EXPECT_FALSE(proxy.SetConnectionProxy(true, "", kServer, kBypass, true, ours));
    EXPECT_THAT(options.calls, ElementsAre("Set ", "Refresh", "SettingsChanged"));
}

TEST_F(SystemProxyTest, EveryActiveDialUpConnectionIsSetInTheSystemsOrderAndTheLanIsLeftAlone) {
    dialUp.active = {"Office VPN", "Modem"};
    On();
    EXPECT_THAT(options.calls,
                ElementsAre("Set Office VPN", "Refresh", "SettingsChanged", "Set Modem", "Refresh", "SettingsChanged"));
    EXPECT_EQ(options.lists[0].connection, "Office VPN");
    EXPECT_EQ(options.lists[1].options, options.lists[0].options);
    EXPECT_FALSE(options.connections.contains(""));
}

TEST_F(SystemProxyTest, ALanIsSetWhenTheDialUpConnectionsCannotBeListed) {
    for (bool fails : {false, true}) {
        dialUp.fails = fails;
        options.calls.clear();
        On();
        EXPECT_THAT(options.calls, ElementsAre("Set ", "Refresh", "SettingsChanged")) << fails;
    }
}

TEST_F(SystemProxyTest, AUsersOwnProxyIsKeptBeforeTheFirstChangeAndPutBackOnClearing) {
    const ConnectionProxy own{kProxyTypeDirect | kProxyTypeProxy, "proxy.example:8080", "<local>;*.corp"};
    options.connections[""] = own;
    // The record is in the settings file before the list that changes the connection goes out.
    std::optional<std::string> savedWhenSet;
    options.onSet = [&](const ConnectionOptionList&) { savedWhenSet = settings.Raw("UserProxy", "LAN.Saved"); };
    On();
    options.onSet = nullptr;
    EXPECT_EQ(savedWhenSet, "1");
    EXPECT_EQ(options.connections[""].server, kOurs);
    On();  // a second setting keeps the first record
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Server"), "proxy.example:8080");

    options.lists.clear();
    Off();
    EXPECT_THAT(options.lists, ElementsAre(ConnectionOptionList{
                                   "", {Flags(3), Server("proxy.example:8080"), Bypass("<local>;*.corp")}}));
    EXPECT_EQ(options.connections[""], own);
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), "0");

    // The next session keeps them afresh.
    options.connections[""].server = "proxy2.example:3128";
    On();
    Off();
    EXPECT_EQ(options.connections[""].server, "proxy2.example:3128");
}

// The directory request clears before the program has set anything: the user's options stay,
// a local SOCKS proxy of the user's own (an SSH tunnel's, say) included, even at the program's
// own port, as long as no mark says the browsers are on the program's proxy.
TEST_F(SystemProxyTest, ClearingBeforeAnySettingLeavesTheUsersOwnOptionsAlone) {
    const ConnectionProxy owns[] = {
        {kProxyTypeDirect | kProxyTypeProxy, "proxy.example:8080", "<local>"},
        {kProxyTypeDirect | kProxyTypeAutoDetect, "proxy.example:8080", "<local>"},
        {kProxyTypeProxy, "socks=127.0.0.1:1080", ""},
        {kProxyTypeProxy, kOurs, ""},
    };
    for (const ConnectionProxy& own : owns) {
        options.connections[""] = own;
        options.lists.clear();
        options.calls.clear();
        Off();
        EXPECT_EQ(options.connections[""], own) << own.server;
        EXPECT_TRUE(options.lists.empty()) << own.server;
    }
}

// A session over a local SOCKS proxy of the user's own keeps it and puts it back.
TEST_F(SystemProxyTest, AUsersOwnLoopbackProxyIsKeptAndPutBack) {
    for (const char* server : {"socks=127.0.0.1:1080", kOurs}) {
        const ConnectionProxy own{kProxyTypeProxy, server, ""};
        options.connections[""] = own;
        On();
        EXPECT_EQ(UserProxyStore(settings).Saved(""), own) << server;
        Off();
        EXPECT_EQ(options.connections[""], own) << server;
    }
}

// The user changed the options while they carried the program's proxy: by hand, after a run that
// crashed, say. The clearing leaves the user's choice and lets the outdated record go.
TEST_F(SystemProxyTest, OptionsTheUserChangedSinceTheProgramSetItsProxyAreLeftAndTheRecordLetGo) {
    const ConnectionProxy changes[] = {
        {kProxyTypeDirect, "", ""},
        {kProxyTypeProxy, "proxy2.example:3128", "<local>"},
        {kProxyTypeDirect | kProxyTypeAutoDetect, "", ""},
    };
    for (const ConnectionProxy& change : changes) {
        options.connections[""] = {kProxyTypeProxy, "proxy.example:8080", ""};
        On();
        ASSERT_EQ(settings.Raw("UserProxy", "LAN.Saved"), "1");
        options.connections[""] = change;
        options.lists.clear();
        Off();
        EXPECT_TRUE(options.lists.empty()) << change.server;
        EXPECT_EQ(options.connections[""], change);
        EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), "0") << change.server;
    }
}

TEST_F(SystemProxyTest, AutoDetectionAndAConfigurationScriptCountAsTheUsersOwn) {
    for (std::uint32_t flags : {kProxyTypeDirect | kProxyTypeAutoDetect, kProxyTypeDirect | kProxyTypeAutoProxyUrl}) {
        options.connections[""] = {flags, "", ""};
        On();
        Off();
        EXPECT_EQ(options.connections[""], (ConnectionProxy{flags, "", ""})) << flags;
    }
}

TEST_F(SystemProxyTest, ADirectConnectionIsClearedAsAlways) {
    options.connections[""] = {kProxyTypeDirect, "", ""};
    On();
    options.lists.clear();
    Off();
    EXPECT_THAT(options.lists, ElementsAre(ConnectionOptionList{"", {Flags(1), Server("socks=")}}));
    EXPECT_EQ(options.connections[""].bypass, kBypass) << "clearing leaves the bypass list as it was";
}

TEST_F(SystemProxyTest, EachDialUpConnectionGetsItsOwnOptionsBack) {
    dialUp.active = {"Office VPN", "Modem"};
    options.connections["Office VPN"] = {kProxyTypeProxy, "vpn-proxy.example:8080", ""};
    On();
    Off();
    EXPECT_EQ(options.connections["Office VPN"], (ConnectionProxy{kProxyTypeProxy, "vpn-proxy.example:8080", ""}));
    EXPECT_EQ(options.connections["Modem"], (ConnectionProxy{kProxyTypeDirect, "socks=", kBypass}));
}

// Left by a run that ended without clearing and lost its record: its mark is still there.
TEST_F(SystemProxyTest, TheProgramsOwnProxyLeftByAnEarlierRunIsNotTakenForTheUsers) {
    options.connections[""] = {kProxyTypeProxy, kOurs, kBypass};
    ours.browsersOnIt = true;
    On();
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), std::nullopt);
    Off();
    EXPECT_EQ(options.connections[""].flags, kProxyTypeDirect);
}

TEST_F(SystemProxyTest, ARecordLeftByARunThatEndedWithoutClearingIsPutBackByTheNextClearing) {
    options.connections[""] = {kProxyTypeProxy, "proxy.example:8080", ""};
    On();
    // A new run: the connection still carries the program's proxy, the settings file the record.
    FakeConnectionOptions nextOptions;
    nextOptions.connections = options.connections;
    SystemProxy nextRun{nextOptions, dialUp, settings};
    nextRun.SetSystemProxy(false, "", "", true, ours);
    EXPECT_EQ(nextOptions.connections[""], (ConnectionProxy{kProxyTypeProxy, "proxy.example:8080", ""}));
}

TEST_F(SystemProxyTest, ARefusedRestoreKeepsTheRecordForTheNextClearing) {
    options.connections[""] = {kProxyTypeProxy, "proxy.example:8080", ""};
    On();
    options.setFails = true;
    Off();
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), "1");
    options.setFails = false;
    Off();
    EXPECT_EQ(options.connections[""].server, "proxy.example:8080");
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), "0");
}

TEST_F(SystemProxyTest, NothingIsKeptWhenTheOptionsCannotBeRead) {
    options.queryFails = true;
    On();
    Off();
    EXPECT_EQ(settings.Raw("UserProxy", "LAN.Saved"), std::nullopt);
    EXPECT_EQ(options.connections[""].flags, kProxyTypeDirect);
}

TEST(IsOurProxy, IsTheProgramsServerWithTheProxyOn) {
    EXPECT_TRUE(IsOurProxy({kProxyTypeProxy, kOurs, ""}, kOurs));
    EXPECT_TRUE(IsOurProxy({kProxyTypeProxy | kProxyTypeDirect, kOurs, "x"}, kOurs));
    EXPECT_FALSE(IsOurProxy({kProxyTypeDirect, kOurs, ""}, kOurs));
    EXPECT_FALSE(IsOurProxy({kProxyTypeProxy, "socks=127.0.0.1:9050", ""}, kOurs));
    EXPECT_FALSE(IsOurProxy({kProxyTypeProxy, "socks=127.0.0.1:70700", ""}, kOurs));
}

}  // namespace
