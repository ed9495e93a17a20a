#include "proxy/firefox_files.h"

#include <gtest/gtest.h>

namespace {

const char kFixedLines[] =
    "user_pref(\"network.proxy.http\", \"\");\r\n"
    "user_pref(\"network.proxy.http_port\", 0);\r\n"
    "user_pref(\"network.proxy.ssl\", \"\");\r\n"
    "user_pref(\"network.proxy.ssl_port\", 0);\r\n"
    "user_pref(\"network.proxy.ftp\", \"\");\r\n"
    "user_pref(\"network.proxy.ftp_port\", 0);\r\n"
    "user_pref(\"network.proxy.gopher\", \"\");\r\n"
    "user_pref(\"network.proxy.gopher_port\", 0);\r\n"
    "user_pref(\"network.proxy.socks_version\", 5);\r\n";

std::string SettingUserJs(const std::string& noProxiesOn) {
    return std::string("user_pref(\"network.proxy.type\", 1);\r\n") + kFixedLines +
           "user_pref(\"network.proxy.socks\", \"127.0.0.1\");\r\n"
           "user_pref(\"network.proxy.socks_port\",7070);\r\n"
           "user_pref(\"network.proxy.no_proxies_on\", \"" +
           noProxiesOn + "\");\r\n";
}

const std::string kClearingUserJs = std::string("user_pref(\"network.proxy.type\", 0);\r\n") + kFixedLines +
                                    "user_pref(\"network.proxy.socks\", \"\");\r\n"
                                    "user_pref(\"network.proxy.socks_port\", 0);\r\n";

TEST(UserJsText, SetsAndClearsTheProxyByteForByte) {
    EXPECT_EQ(UserJsText(true, "127.0.0.1:7070", "a.example,b.example,"), SettingUserJs("a.example,b.example,"));
    EXPECT_EQ(UserJsText(true, "127.0.0.1:7070", "a.example;b.example,"), SettingUserJs("a.example;b.example,"));
    EXPECT_EQ(UserJsText(true, "127.0.0.1:7070", ""), SettingUserJs(""));
    EXPECT_EQ(UserJsText(false, "", ""), kClearingUserJs);
    EXPECT_EQ(UserJsText(false, "127.0.0.1:7070", "a.example,"), kClearingUserJs);
}

TEST(UserJsText, QuotesBackslashesAndLineBreaksStayInsideTheValue) {
    // Typed as `evil",1);user_pref("x` and `c:\`, and a line holding a line break.
    EXPECT_EQ(UserJsText(true, "127.0.0.1:7070", "evil\",1);user_pref(\"x,c:\\,a\r\nb\nc,"),
              SettingUserJs("evil\\\",1);user_pref(\\\"x,c:\\\\,a\\r\\nb\\nc,"));
    EXPECT_EQ(ClassifyUserJs(UserJsText(true, "127.0.0.1:7070", "a\"\r\nuser_pref(\"b\", 1);\n")),
              UserJsKind::OursProxyOn)
        << "still 13 lines";
}

TEST(PluginFileText, SixLinesWithTheBypassSemicolonsAsCommas) {
    EXPECT_EQ(PluginFileText(true, "127.0.0.1:7070", "United States - Dallas #3", "a.example,b.example,"),
              "1\r\n-1\r\nUnited States - Dallas #3\r\na.example,b.example,\r\n127.0.0.1\r\n7070\r\n");
    EXPECT_EQ(PluginFileText(true, "127.0.0.1:7070", "Europe #1", "a.example;b.example,"),
              "1\r\n-1\r\nEurope #1\r\na.example,b.example,\r\n127.0.0.1\r\n7070\r\n");
    EXPECT_EQ(PluginFileText(false, "", "", ""), "1\r\n0\r\n\r\n\r\n\r\n\r\n");
}

TEST(SplitServer, SplitsAtTheFirstColon) {
    EXPECT_EQ(SplitServer("127.0.0.1:7070"), (ServerParts{"127.0.0.1", "7070"}));
    EXPECT_EQ(SplitServer("host:1:2"), (ServerParts{"host", "1:2"}));
    EXPECT_EQ(SplitServer(""), (ServerParts{"", ""}));
}

TEST(ClassifyUserJs, TellsThisProgramsFilesFromOthers) {
    struct Case {
        std::string text;
        UserJsKind kind;
    };
    const Case cases[] = {
        {SettingUserJs("a.example,"), UserJsKind::OursProxyOn},
        {UserJsText(true, "127.0.0.1:8080", ""), UserJsKind::OursProxyOn},
        {kClearingUserJs, UserJsKind::OursProxyOff},
        {"user_pref(\"browser.startup.homepage\", \"about:blank\");\r\n", UserJsKind::Foreign},
        {SettingUserJs("") + "user_pref(\"extra\", 1);\r\n", UserJsKind::Foreign},
        {kClearingUserJs + "// mine\r\n", UserJsKind::Foreign},
        {SettingUserJs("").substr(0, SettingUserJs("").size() - 2), UserJsKind::Foreign},
        {"", UserJsKind::Foreign},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyUserJs(c.text), c.kind) << c.text;
}

TEST(PrefsHoldProxy, FindsTheLocalProxyAsFirefoxRecordsIt) {
    const std::string held =
        "// Mozilla User Preferences\n"
        "user_pref(\"browser.startup.homepage\", \"about:blank\");\n"
        "user_pref(\"network.proxy.socks\", \"127.0.0.1\");\n"
        "user_pref(\"network.proxy.socks_port\", 7070);\n"
        "user_pref(\"network.proxy.type\", 1);\n";
    EXPECT_TRUE(PrefsHoldProxy(held, "127.0.0.1:7070"));
    EXPECT_FALSE(PrefsHoldProxy(held, "127.0.0.1:8080"));
    EXPECT_FALSE(PrefsHoldProxy("user_pref(\"network.proxy.type\", 0);\n", "127.0.0.1:7070"));
    EXPECT_FALSE(PrefsHoldProxy("", "127.0.0.1:7070"));
}

}  // namespace
