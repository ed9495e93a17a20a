// The node every tunnel goes through, and the credentials it wants.
#pragma once

#include <string>

#include "warden/net/asio.h"

namespace warden::net {

struct NodeTarget {
    tcp::resolver::results_type endpoints;
    std::string user;
    std::string key;
};

}  // namespace warden::net
