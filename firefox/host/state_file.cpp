#include "firefox/host/state_file.h"

#include <algorithm>
#include <array>
#include <optional>

#include "firefox/host/bypass_list.h"
#include "firefox/host/loopback_proxy.h"

namespace firefox_host {

namespace {

constexpr std::size_t kLineCount = 6;
using Lines = std::array<std::string_view, kLineCount>;

// Exactly six lines, each with its end: a file cut short while the program writes it, or
// with anything behind the sixth line, is not the program's file.
std::optional<Lines> SplitSixLines(std::string_view content) {
    Lines lines;
    for (std::string_view& line : lines) {
        const std::size_t end = content.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt;
        line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        content.remove_prefix(end + 1);
    }
    if (!content.empty())
        return std::nullopt;
    return lines;
}

bool IsDisplayable(std::string_view label) {
    return label.size() <= kMaxLabelSize && std::none_of(label.begin(), label.end(), [](char c) {
               const auto byte = static_cast<unsigned char>(c);
               return byte < 0x20 || byte == 0x7F;
           });
}

ProxyState Invalid(Problem problem) {
    ProxyState state;
    state.standing = Standing::kInvalid;
    state.problem = problem;
    return state;
}

}  // namespace

ProxyState ParseStateFile(std::string_view content) {
    if (content.size() > kMaxStateFileSize)
        return Invalid(Problem::kTooLarge);
    const std::optional<Lines> lines = SplitSixLines(content);
    if (!lines)
        return Invalid(Problem::kNotSixLines);
    const auto& [format, on_off, label, bypass, host, port_text] = *lines;
    if (format != "1")
        return Invalid(Problem::kUnknownFormat);
    if (on_off == "0") {
        ProxyState cleared;
        cleared.standing = Standing::kCleared;
        return cleared;
    }
    if (on_off != "-1")
        return Invalid(Problem::kUnknownSwitch);
    if (!IsDisplayable(label))
        return Invalid(Problem::kBadLabel);
    if (!IsLoopbackIpv4(host))
        return Invalid(Problem::kProxyNotLoopback);
    const std::optional<std::uint16_t> port = ParsePort(port_text);
    if (!port)
        return Invalid(Problem::kBadPort);

    BypassList bypass_list = ParseBypassList(bypass);
    ProxyState on;
    on.standing = Standing::kOn;
    on.label = std::string(label);
    on.host = std::string(host);
    on.port = *port;
    on.bypass = std::move(bypass_list.entries);
    on.ignored_bypass = bypass_list.ignored;
    return on;
}

}  // namespace firefox_host
