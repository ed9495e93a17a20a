#include "firefox/host/loopback_proxy.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace firefox_host {

namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One part of a dotted quad: 0 to 255, no leading zero.
std::optional<unsigned> ParseOctet(std::string_view text) {
    if (!AllDigits(text) || text.size() > 3 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    unsigned value = 0;
    for (char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return value <= 255 ? std::optional(value) : std::nullopt;
}

}  // namespace

bool IsLoopbackIpv4(std::string_view text) {
    std::array<unsigned, 4> octets{};
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const std::size_t dot = text.find('.');
        const bool last = i + 1 == octets.size();
        if (last != (dot == std::string_view::npos))
            return false;
        const std::optional<unsigned> octet = ParseOctet(text.substr(0, dot));
        if (!octet)
            return false;
        octets[i] = *octet;
        text = last ? std::string_view() : text.substr(dot + 1);
    }
    return octets[0] == 127;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
    if (!AllDigits(text) || text.size() > 5)
        return std::nullopt;
    unsigned value = 0;
    for (char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    if (value == 0 || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace firefox_host
