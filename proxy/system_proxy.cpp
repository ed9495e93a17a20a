#include "proxy/system_proxy.h"

#include "proxy/dial_up_connections.h"
#include "proxy/proxy_texts.h"

SystemProxy::SystemProxy(ConnectionOptions& options, const DialUpConnections& dialUp, SettingsStore& records)
    : options_(options), dialUp_(dialUp), userProxy_(records) {}

void SystemProxy::SetSystemProxy(bool enable,
                                 std::string_view server,
                                 std::string_view bypass,
                                 bool useSocks,
                                 const OurProxy& ours) {
    const std::vector<std::string> names = GetRasConnections(dialUp_);
    if (names.empty()) {
        SetConnectionProxy(enable, "", server, bypass, useSocks, ours);
        return;
    }
    // The LAN is left as it is while a dial-up connection carries the traffic.
    for (const std::string& name : names)
        SetConnectionProxy(enable, name, server, bypass, useSocks, ours);
}

bool SystemProxy::SetConnectionProxy(bool enable,
                                     std::string_view connection,
                                     std::string_view server,
                                     std::string_view bypass,
                                     bool useSocks,
                                     const OurProxy& ours) {
    const std::string proxyServer = ProxyServerValue(enable ? server : "", useSocks);
    std::optional<ConnectionProxy> own;
    ConnectionOptionList list;
    if (enable) {
        KeepUserOptions(connection, ours);
        list = ProxyOptionList(true, connection, proxyServer, bypass);
    } else {
        own = userProxy_.Saved(connection);
        // The connection carries the program's proxy only when its options are the program's and
        // the mark says the browsers are on it, or the connection's record says the program set
        // it (a restore the system refused, tried again after the mark has gone). Any other
        // options are someone else's: without a record the user's own, as the directory request
        // clears before the program has set anything; with one, the user has changed them since
        // the program set its proxy (by hand, after a run that ended without clearing, say), the
        // record no longer holds, and putting it back would undo the user's choice. A direct
        // connection without a record is cleared as always.
        const std::optional<ConnectionProxy> current = options_.Query(connection);
        const bool carriesOurs = current && IsOurProxy(*current, ours.server) && (ours.browsersOnIt || own);
        if (current && !carriesOurs && (own || !IsDirect(*current))) {
            if (own)
                userProxy_.Forget(connection);
            return true;
        }
        list = own && !IsDirect(*own) ? RestoreOptionList(connection, *own)
                                      : ProxyOptionList(false, connection, proxyServer, bypass);
    }
    const bool accepted = options_.Set(list);
    // The notices go out whatever the system answered: a refused list changed nothing, and
    // programs that read the options again lose nothing.
    options_.Refresh();
    options_.SettingsChanged();
    // A record is let go only once its options are back; a refused restore is tried again by
    // the next clearing, in this run or the next.
    if (own && accepted)
        userProxy_.Forget(connection);
    return accepted;
}

// Before the program's first change to a connection. The program's own proxy found there while
// the browsers are on it is what a run that ended without clearing left behind, not the user's:
// nothing is kept then, and clearing turns the connection direct.
void SystemProxy::KeepUserOptions(std::string_view connection, const OurProxy& ours) {
    if (userProxy_.Saved(connection))
        return;
    const std::optional<ConnectionProxy> current = options_.Query(connection);
    if (!current || (ours.browsersOnIt && IsOurProxy(*current, ours.server)))
        return;
    userProxy_.Save(connection, *current);
}

std::vector<std::string> GetRasConnections(const DialUpConnections& dialUp) {
    return dialUp.ActiveEntryNames().value_or(std::vector<std::string>{});
}

std::string ProxyServerValue(std::string_view server, bool useSocks) {
    return (useSocks ? std::string(proxy_text::kSocksPrefix) : std::string()).append(server);
}

ConnectionOptionList ProxyOptionList(bool enable,
                                     std::string_view connection,
                                     std::string_view proxyServer,
                                     std::string_view bypass) {
    ConnectionOptionList list{std::string(connection),
                              {{ConnectionOptionId::Flags, enable ? kProxyTypeProxy : kProxyTypeDirect},
                               {ConnectionOptionId::ProxyServer, std::string(proxyServer)}}};
    // Without the option the connection keeps the bypass list it has.
    if (!bypass.empty())
        list.options.push_back({ConnectionOptionId::ProxyBypass, std::string(bypass)});
    return list;
}

ConnectionOptionList RestoreOptionList(std::string_view connection, const ConnectionProxy& own) {
    return {std::string(connection),
            {{ConnectionOptionId::Flags, own.flags},
             {ConnectionOptionId::ProxyServer, own.server},
             {ConnectionOptionId::ProxyBypass, own.bypass}}};
}

bool IsOurProxy(const ConnectionProxy& proxy, std::string_view proxyServer) {
    return (proxy.flags & kProxyTypeProxy) != 0 && proxy.server == proxyServer;
}

bool IsDirect(const ConnectionProxy& proxy) {
    return (proxy.flags & (kProxyTypeProxy | kProxyTypeAutoProxyUrl | kProxyTypeAutoDetect)) == 0;
}
