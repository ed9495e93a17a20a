// The node every tunnel goes through, and the credentials it wants.
#pragma once

#include <string>

#include "warden/net/asio.h"
#include "warden/socks/wire.h"

namespace warden::net {

struct NodeTarget {
    tcp::resolver::results_type endpoints;
    std::string user;
    std::string key;
    socks::Destination address;  // the node as warden names it (-say HOST, -port P)
};

}  // namespace warden::net
