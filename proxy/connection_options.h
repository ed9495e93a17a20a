// Port: the system's (WinInet) proxy options of one network connection, the ones Internet
// Explorer and every other WinInet program read. A connection is the LAN or one dial-up (RAS)
// entry, named by its entry name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Bits of the connection's flags option.
inline constexpr std::uint32_t kProxyTypeDirect = 1;
inline constexpr std::uint32_t kProxyTypeProxy = 2;
inline constexpr std::uint32_t kProxyTypeAutoProxyUrl = 4;
inline constexpr std::uint32_t kProxyTypeAutoDetect = 8;

// The options the program writes, by their system ids.
enum class ConnectionOptionId : std::uint32_t { Flags = 1, ProxyServer = 2, ProxyBypass = 3 };

struct ConnectionOption {
    ConnectionOptionId id = ConnectionOptionId::Flags;
    std::variant<std::uint32_t, std::string> value;  // a number for the flags, a text otherwise
    bool operator==(const ConnectionOption&) const = default;
};

// One call's option list: the connection and its options, in the order they are handed over.
struct ConnectionOptionList {
    std::string connection;  // a dial-up entry's name; empty for the LAN
    std::vector<ConnectionOption> options;
    bool operator==(const ConnectionOptionList&) const = default;
};

// What a connection's proxy options are: the flags, the proxy server and the bypass list.
struct ConnectionProxy {
    std::uint32_t flags = kProxyTypeDirect;
    std::string server;
    std::string bypass;
    bool operator==(const ConnectionProxy&) const = default;
};

class ConnectionOptions {
  public:
    virtual ~ConnectionOptions() = default;
    // Hands the list to the system in one call; false when the system refused it.
    virtual bool Set(const ConnectionOptionList& list) = 0;
    // The connection's options as the system holds them now; nullopt when it cannot tell.
    virtual std::optional<ConnectionProxy> Query(std::string_view connection) const = 0;
    // The notices after a change, each to every WinInet program: read the options again, and
    // the settings changed.
    virtual void Refresh() = 0;
    virtual void SettingsChanged() = 0;
};
