#include "proxy/firefox_files.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/text_lines.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

constexpr std::string_view kProxyOn = R"(user_pref("network.proxy.type", 1);)";
constexpr std::string_view kProxyOff = R"(user_pref("network.proxy.type", 0);)";
// Lines 2 to 10, the same in both forms.
constexpr std::array<std::string_view, 9> kFixedLines{
    R"(user_pref("network.proxy.http", "");)",         R"(user_pref("network.proxy.http_port", 0);)",
    R"(user_pref("network.proxy.ssl", "");)",          R"(user_pref("network.proxy.ssl_port", 0);)",
    R"(user_pref("network.proxy.ftp", "");)",          R"(user_pref("network.proxy.ftp_port", 0);)",
    R"(user_pref("network.proxy.gopher", "");)",       R"(user_pref("network.proxy.gopher_port", 0);)",
    R"(user_pref("network.proxy.socks_version", 5);)",
};
constexpr std::string_view kSocksHead = R"(user_pref("network.proxy.socks", ")";
constexpr std::string_view kSocksPortHead = R"(user_pref("network.proxy.socks_port",)";
constexpr std::string_view kNoProxiesOnHead = R"(user_pref("network.proxy.no_proxies_on", ")";
constexpr std::string_view kStringTail = R"(");)";
constexpr std::string_view kNumberTail = ");";
constexpr std::size_t kSettingLineCount = 13;

// A text as the inside of a preference string: a quote or backslash would end the string early
// and a line break would start a preference of its own, so these are escaped; every other byte
// stays as it is.
std::string PrefString(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '"':
            case '\\':
                escaped.append(1, '\\').append(1, c);
                break;
            case '\r':
                escaped.append("\\r");
                break;
            case '\n':
                escaped.append("\\n");
                break;
            default:
                escaped.append(1, c);
        }
    }
    return escaped;
}

std::string Concat(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
        text.append(part);
    return text;
}

std::vector<std::string> UserJsLines(bool enable, std::string_view server, std::string_view bypass) {
    std::vector<std::string> lines{std::string(enable ? kProxyOn : kProxyOff)};
    lines.insert(lines.end(), kFixedLines.begin(), kFixedLines.end());
    if (!enable) {
        lines.push_back(Concat({kSocksHead, kStringTail}));
        lines.push_back(Concat({kSocksPortHead, " 0", kNumberTail}));
        return lines;
    }
    const ServerParts parts = SplitServer(server);
    lines.push_back(Concat({kSocksHead, PrefString(parts.host), kStringTail}));
    lines.push_back(Concat({kSocksPortHead, parts.port, kNumberTail}));
    lines.push_back(Concat({kNoProxiesOnHead, PrefString(bypass), kStringTail}));
    return lines;
}

std::string EndEachLine(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append(kLineEnd);
    return text;
}

bool Frames(std::string_view line, std::string_view head, std::string_view tail) {
    return line.size() >= head.size() + tail.size() && line.starts_with(head) && line.ends_with(tail);
}

bool HasLine(const std::vector<std::string>& lines, std::string_view wanted) {
    return std::ranges::find(lines, wanted) != lines.end();
}

}  // namespace

ServerParts SplitServer(std::string_view server) {
    const auto colon = server.find(':');
    if (colon == std::string_view::npos)
        return {std::string(server), ""};
    return {std::string(server.substr(0, colon)), std::string(server.substr(colon + 1))};
}

std::string UserJsText(bool enable, std::string_view server, std::string_view bypass) {
    return EndEachLine(UserJsLines(enable, server, bypass));
}

std::string PluginFileText(bool enable, std::string_view server, std::string_view nodeLabel, std::string_view bypass) {
    if (!enable)
        return EndEachLine({"1", "0", "", "", "", ""});
    const ServerParts parts = SplitServer(server);
    std::string commaBypass(bypass);
    std::ranges::replace(commaBypass, ';', ',');
    return EndEachLine({"1", "-1", std::string(nodeLabel), commaBypass, parts.host, parts.port});
}

UserJsKind ClassifyUserJs(std::string_view text) {
    if (text == UserJsText(false, "", ""))
        return UserJsKind::OursProxyOff;
    const std::vector<std::string> lines = SplitLines(text);
    const bool ours = text.ends_with(kLineEnd) && lines.size() == kSettingLineCount && lines[0] == kProxyOn &&
                      std::equal(kFixedLines.begin(), kFixedLines.end(), lines.begin() + 1) &&
                      Frames(lines[10], kSocksHead, kStringTail) && Frames(lines[11], kSocksPortHead, kNumberTail) &&
                      Frames(lines[12], kNoProxiesOnHead, kStringTail);
    return ours ? UserJsKind::OursProxyOn : UserJsKind::Foreign;
}

bool PrefsHoldProxy(std::string_view prefsJs, std::string_view server) {
    const ServerParts parts = SplitServer(server);
    const std::vector<std::string> lines = SplitLines(prefsJs);
    // Firefox writes every preference as user_pref("name", value); with one blank after the comma.
    return HasLine(lines, kProxyOn) && HasLine(lines, Concat({kSocksHead, PrefString(parts.host), kStringTail})) &&
           HasLine(lines, Concat({kSocksPortHead, " ", parts.port, kNumberTail}));
}
