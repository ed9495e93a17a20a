// Whether a Shadowsocks node opens what warden seals with its key. Such a node answers nothing
// of its own: what comes back is what the destination says, and to a request it cannot open (a
// wrong password) ss-server says nothing at all, not even a close: measured, it reads on in
// silence for as long as the connection stays open (ten minutes and more, with or without its
// time-out option). So the check asks, sealed, for a destination that fails at once on the
// node's own machine, 127.0.0.1 port 0 (the connect is refused there and no packet leaves the
// node), and watches: a node that opened the request closes the connection one round trip
// later; silence means it could not open it. Bytes instead of the close mean something else
// answers at that address.
#pragma once

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

// How long a node that opened the check may take to close: a round trip, with room for a slow one.
inline constexpr std::chrono::seconds kKeyCheckWait{5};

// Sends the check on a connected socket.
asio::awaitable<std::error_code> SendKeyCheck(tcp::socket& node, const NodeTarget& target);

// Waits for the node's answer to the check: no error for its close, NodeError::kBadReply for
// bytes, a reset as it is. Does not bound its own time.
asio::awaitable<std::error_code> AwaitKeyCheckClose(tcp::socket& node);

}  // namespace warden::net
