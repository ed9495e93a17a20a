// The node every tunnel goes through, and the credentials it wants.
#pragma once

#include <string>

#include "warden/net/asio.h"
#include "warden/shadowsocks/key_derivation.h"
#include "warden/shadowsocks/method.h"
#include "warden/socks/wire.h"

namespace warden::net {

struct NodeTarget {
    tcp::resolver::results_type endpoints;
    std::string user;  // a SOCKS5 node's (RFC 1929)
    std::string key;
    socks::Destination address;  // the node as warden names it (-say HOST, -port P)
    // A Shadowsocks node: its method (the user named it) and the key made from the password.
    const shadowsocks::Method* method = nullptr;
    shadowsocks::Bytes password_key;

    bool shadowsocks() const { return method != nullptr; }
};

}  // namespace warden::net
