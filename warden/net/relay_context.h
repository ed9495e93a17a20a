// What every local connection needs, shared by all of them: the node, the relay buffers, and
// whom to tell when the node cannot be reached.
#pragma once

#include <functional>

#include "warden/net/buffer_pool.h"
#include "warden/net/node_target.h"

namespace warden::net {

struct RelayContext {
    NodeTarget node;
    BufferPool buffers;
    std::function<void()> node_unreachable;
};

}  // namespace warden::net
