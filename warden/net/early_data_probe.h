// Finds out, through the node itself, whether the node keeps bytes that arrive right behind a
// CONNECT request, before its reply. Some nodes read the request with one receive and drop
// whatever came with it; sending a program's first bytes ahead of the reply is safe only on a
// node that showed it keeps them. Two ways to ask, each sending bytes in the same write as a
// CONNECT and seeing them only if the node passed them on:
//  - CONNECT to the node's own address with a SOCKS5 greeting behind the request: the node
//    answers its own greeting only if the greeting went through;
//  - when the node will not connect to itself (a loop guard): BIND on one connection, CONNECT
//    to the bound port with a marker behind the request on another: the marker must arrive.
// True only when one of them showed it. Each step is bounded in time.
#pragma once

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

asio::awaitable<bool> NodeKeepsEarlyData(asio::any_io_executor executor, const NodeTarget& target);

}  // namespace warden::net
