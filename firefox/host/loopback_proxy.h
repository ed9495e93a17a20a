// Lines 5 and 6 of the state file: where the local proxy listens. Only a loopback IPv4
// address is taken, so that a file written by another program cannot send Firefox's traffic
// to a proxy on another machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace firefox_host {

// A dotted quad in 127.0.0.0/8, each part decimal without leading zeros (which some readers
// take for octal).
bool IsLoopbackIpv4(std::string_view text);

// Decimal 1 to 65535, digits only.
std::optional<std::uint16_t> ParsePort(std::string_view text);

}  // namespace firefox_host
