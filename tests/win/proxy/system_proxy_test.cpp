// The per-connection options through the real WinInet of Wine, read back from the registry where
// WinInet keeps them. Wine drops the bypass list, so its option is checked in the bytes handed
// over. Every test leaves the prefix's proxy as it found it.
#include "proxy/system_proxy.h"
#include "proxy/connection_options_win.h"
#include "proxy/dial_up_connections_win.h"
#include "settings/profile_settings_store_win.h"

#include "common/unique_handle_win.h"
#include "win/settings/scratch_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A value of the Internet Settings key: a number or a text; nullopt when it is missing.
struct StoredValue {
    DWORD type = 0;
    std::string bytes;
};
std::optional<StoredValue> ReadValue(const char* name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return std::nullopt;
    UniqueKey key(handle);
    StoredValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    if (RegQueryValueExA(key.Get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}
void RestoreValue(const char* name, const std::optional<StoredValue>& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    UniqueKey key(handle);
    if (value)
        RegSetValueExA(key.Get(), name, 0, value->type, reinterpret_cast<const BYTE*>(value->bytes.data()),
                       DWORD(value->bytes.size()));
    else
        RegDeleteValueA(key.Get(), name);
}

std::optional<DWORD> ProxyEnable() {
    const auto value = ReadValue("ProxyEnable");
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(value->bytes.data());
}
std::optional<std::string> ProxyServer() {
    const auto value = ReadValue("ProxyServer");
    if (!value || value->type != REG_SZ)
        return std::nullopt;
    return std::string(value->bytes.c_str());
}

class WinInetTest : public testing::Test {
  protected:
    ~WinInetTest() override {
        RestoreValue("ProxyEnable", enableBefore_);
        RestoreValue("ProxyServer", serverBefore_);
        WinConnectionOptions().Refresh();
    }

    WinConnectionOptions options;

  private:
    std::optional<StoredValue> enableBefore_ = ReadValue("ProxyEnable");
    std::optional<StoredValue> serverBefore_ = ReadValue("ProxyServer");
};

TEST(WinOptionList, HandsOverTheOptionsInOrderWithTheConnectionsName) {
    const ConnectionOptionList options{"Office VPN",
                                       {{ConnectionOptionId::Flags, kProxyTypeProxy},
                                        {ConnectionOptionId::ProxyServer, std::string("socks=127.0.0.1:7070")},
                                        {ConnectionOptionId::ProxyBypass, std::string("a.example,b.example,")}}};
    WinOptionList list(options);
    const INTERNET_PER_CONN_OPTION_LISTA& handed = *list.Get();
    EXPECT_EQ(handed.dwSize, sizeof(INTERNET_PER_CONN_OPTION_LISTA));
    EXPECT_STREQ(handed.pszConnection, "Office VPN");
    EXPECT_EQ(handed.dwOptionError, 0u);
    ASSERT_EQ(handed.dwOptionCount, 3u);
    EXPECT_EQ(handed.pOptions[0].dwOption, DWORD(INTERNET_PER_CONN_FLAGS));
    EXPECT_EQ(handed.pOptions[0].Value.dwValue, DWORD(PROXY_TYPE_PROXY));
    EXPECT_EQ(handed.pOptions[1].dwOption, DWORD(INTERNET_PER_CONN_PROXY_SERVER));
    EXPECT_STREQ(handed.pOptions[1].Value.pszValue, "socks=127.0.0.1:7070");
    EXPECT_EQ(handed.pOptions[2].dwOption, DWORD(INTERNET_PER_CONN_PROXY_BYPASS));
    EXPECT_STREQ(handed.pOptions[2].Value.pszValue, "a.example,b.example,");

    WinOptionList lan({"", {{ConnectionOptionId::Flags, kProxyTypeDirect}}});
    EXPECT_EQ(lan.Get()->pszConnection, nullptr);
    EXPECT_EQ(lan.Get()->dwOptionCount, 1u);
}

TEST_F(WinInetTest, SettingAndClearingTheLanReachTheRegistry) {
    ASSERT_TRUE(options.Set(ProxyOptionList(true, "", "socks=127.0.0.1:7070", "a.example,b.example,")));
    options.Refresh();
    options.SettingsChanged();
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), "socks=127.0.0.1:7070");
    const std::optional<ConnectionProxy> set = options.Query("");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->flags & kProxyTypeProxy, kProxyTypeProxy);
    EXPECT_EQ(set->server, "socks=127.0.0.1:7070");

    ASSERT_TRUE(options.Set(ProxyOptionList(false, "", "socks=", "")));
    EXPECT_EQ(ProxyEnable(), 0u);
    EXPECT_EQ(ProxyServer(), "socks=");
    EXPECT_EQ(options.Query("")->flags, kProxyTypeDirect);
}

TEST_F(WinInetTest, AUsersOwnProxyIsBackAfterASession) {
    ScratchFolder scratch;
    ProfileSettingsStore records;
    records.Open(scratch.Path("userproxy.ini"));
    ASSERT_TRUE(options.Set(RestoreOptionList("", {kProxyTypeProxy, "proxy.example:8080", ""})));

    WinDialUpConnections dialUp;
    SystemProxy proxy(options, dialUp, records);
    proxy.SetSystemProxy(true, "127.0.0.1:7070", "", true, {"socks=127.0.0.1:7070", false});
    EXPECT_EQ(ProxyServer(), "socks=127.0.0.1:7070");
    EXPECT_EQ(records.ReadString("UserProxy", "LAN.Server", ""), "proxy.example:8080");
    proxy.SetSystemProxy(false, "", "", true, {"socks=127.0.0.1:7070", true});
    EXPECT_EQ(ProxyEnable(), 1u);
    EXPECT_EQ(ProxyServer(), "proxy.example:8080");
}

TEST(WinDialUpConnections, WineListsNone) {
    EXPECT_EQ(WinDialUpConnections().ActiveEntryNames(), std::vector<std::string>{});
}

}  // namespace
