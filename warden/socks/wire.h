// The SOCKS vocabulary shared by both sides of warden: local programs speak SOCKS4, SOCKS4a
// or SOCKS5 to it (RFC 1928), and it speaks SOCKS5 with username/password (RFC 1929) to the node.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace warden::socks {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kVersion4 = 0x04;
inline constexpr std::uint8_t kVersion5 = 0x05;
inline constexpr std::uint8_t kAuthVersion = 0x01;  // RFC 1929 sub-negotiation
inline constexpr std::uint8_t kCommandConnect = 0x01;
inline constexpr std::uint8_t kCommandBind = 0x02;
inline constexpr std::uint8_t kAuthAccepted = 0x00;

// Longest user id, name, user or password any of the formats can carry.
inline constexpr std::size_t kMaxText = 255;

enum class Method : std::uint8_t { kNoAuth = 0x00, kUserPassword = 0x02, kNoneAcceptable = 0xFF };
enum class AddressType : std::uint8_t { kIpv4 = 0x01, kDomainName = 0x03, kIpv6 = 0x04 };

// SOCKS5 reply codes; SOCKS4 only knows "granted" and "rejected".
enum class Reply : std::uint8_t {
    kSucceeded = 0x00,
    kGeneralFailure = 0x01,
    kNotAllowed = 0x02,
    kNetworkUnreachable = 0x03,
    kHostUnreachable = 0x04,
    kConnectionRefused = 0x05,
    kTtlExpired = 0x06,
    kCommandNotSupported = 0x07,
    kAddressTypeNotSupported = 0x08,
};
inline constexpr std::uint8_t kSocks4Granted = 90;
inline constexpr std::uint8_t kSocks4Rejected = 91;

using Ipv4 = std::array<std::uint8_t, 4>;
using Ipv6 = std::array<std::uint8_t, 16>;

// Where a local program wants to go. A name stays a name: only the node resolves it.
struct Destination {
    std::variant<Ipv4, Ipv6, std::string> host;
    std::uint16_t port = 0;

    bool operator==(const Destination&) const = default;
};

enum class Protocol { kSocks4, kSocks4a, kSocks5 };

}  // namespace warden::socks
