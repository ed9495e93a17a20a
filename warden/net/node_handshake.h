// The steps of a conversation with the node, shared by tunnels and health checks. None of them
// bounds its own time: the caller owns the sockets and closes them when time runs out.
#pragma once

#include "warden/net/asio.h"
#include "warden/net/node_target.h"
#include "warden/socks/wire.h"

namespace warden::net {

// Connects to the first of the node's addresses that answers; the socket is non-blocking and
// sends without delay.
asio::awaitable<std::error_code> ConnectNode(tcp::socket& node, const NodeTarget& target);

// The SOCKS5 greeting, with the RFC 1929 exchange whenever the node asks for it.
asio::awaitable<std::error_code> GreetNode(tcp::socket& node, const NodeTarget& target);

struct ConnectOutcome {
    std::error_code error;
    socks::Reply reply = socks::Reply::kGeneralFailure;
};

// Asks the node to connect to `destination`. Whatever the destination sent right behind a
// successful reply is left in `early_data`.
asio::awaitable<ConnectOutcome> RequestConnect(tcp::socket& node,
                                               const socks::Destination& destination,
                                               socks::Bytes& early_data);

}  // namespace warden::net
