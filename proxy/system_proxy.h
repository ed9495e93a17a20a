// The system (WinInet) proxy that Internet Explorer and every other WinInet program read: set
// on the LAN connection, or on every active dial-up connection while any is up, and taken back
// to what the user had before the program's first change.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "proxy/connection_options.h"
#include "proxy/user_proxy_store.h"

class DialUpConnections;
class SettingsStore;

// The program's own proxy as a connection would carry it: the server value the program sets,
// ProxyServerValue(LocalProxyServer(InternalPort), true), and whether the run's mark says the
// browsers are on it. Only then, or while the connection's record says the program set it, are
// such options the program's; otherwise they are the user's own, whatever they name (an SSH
// tunnel's local SOCKS port, another tool's, even the program's own port).
struct OurProxy {
    std::string server;
    bool browsersOnIt = false;
};

class SystemProxy {
  public:
    // `records` keeps the user's own options (UserProxyStore).
    SystemProxy(ConnectionOptions& options, const DialUpConnections& dialUp, SettingsStore& records);

    // Sets (`enable`) or clears the proxy `server` ("host:port") with `bypass` on the LAN or on
    // every active dial-up connection; `ours` as it was before this call.
    void SetSystemProxy(bool enable,
                        std::string_view server,
                        std::string_view bypass,
                        bool useSocks,
                        const OurProxy& ours);
    // One connection ("" for the LAN); whether the system accepted the options. Setting keeps
    // the connection's own options first, once; clearing puts back those of a connection that
    // had a proxy, auto-detection or a configuration script of its own, leaves alone one that
    // carries options other than `ours` now (and lets go of a record the user's change has
    // outdated), and turns any other direct.
    bool SetConnectionProxy(bool enable,
                            std::string_view connection,
                            std::string_view server,
                            std::string_view bypass,
                            bool useSocks,
                            const OurProxy& ours);

  private:
    void KeepUserOptions(std::string_view connection, const OurProxy& ours);

    ConnectionOptions& options_;
    const DialUpConnections& dialUp_;
    UserProxyStore userProxy_;
};

// The entry names of the active dial-up connections, in the system's order; none when the
// system could not list them, so that the LAN is set.
std::vector<std::string> GetRasConnections(const DialUpConnections& dialUp);

// The proxy server option's value: "socks=" + server, or the server alone without `useSocks`.
std::string ProxyServerValue(std::string_view server, bool useSocks);

// The option list of a setting (flags "proxy") or clearing (flags "direct") call: the flags, the
// proxy server value, and the bypass option only when `bypass` is not empty.
ConnectionOptionList ProxyOptionList(bool enable,
                                     std::string_view connection,
                                     std::string_view proxyServer,
                                     std::string_view bypass);

// The option list that puts a connection's own options back: all three, as they were.
ConnectionOptionList RestoreOptionList(std::string_view connection, const ConnectionProxy& own);

// Whether a connection's options are the program's proxy: the proxy on, and its server the value
// the program sets, ProxyServerValue(LocalProxyServer(port), true).
bool IsOurProxy(const ConnectionProxy& proxy, std::string_view proxyServer);

// Whether options send everything directly: no proxy, no auto-detection, no configuration script.
bool IsDirect(const ConnectionProxy& proxy);
