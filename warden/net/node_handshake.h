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
    socks::Destination bound;  // the node's side of the connection, after a success
};

// Sends a request to the node (CONNECT or BIND), with `behind` in the same write.
asio::awaitable<std::error_code> SendRequest(tcp::socket& node,
                                             const socks::Bytes& request,
                                             std::span<const std::uint8_t> behind = {});

// Reads the node's reply to a CONNECT (or one of its two replies to a BIND). `carried`: bytes
// already read from the node, which come first; on return, whatever followed the reply (after a
// success, the destination's first bytes).
asio::awaitable<ConnectOutcome> ReadConnectReply(tcp::socket& node, socks::Bytes& carried);

}  // namespace warden::net
