// What every local connection needs, shared by all of them: the node, the relay buffers, the
// node connections dialled ahead, what is known about the node, and whom to tell when the node
// cannot be reached.
#pragma once

#include <chrono>
#include <functional>

#include "warden/net/buffer_pool.h"
#include "warden/net/node_pool.h"
#include "warden/net/node_target.h"

namespace warden::net {

// How long a connection may take from its first byte until the node's reply to its CONNECT:
// long enough for a slow destination behind the node, short enough that a program that
// connects and says nothing cannot hold a place for long.
inline constexpr std::chrono::seconds kHandshakeTimeout{30};

struct RelayContext {
    RelayContext(const asio::any_io_executor& executor,
                 NodeTarget node_target,
                 std::size_t buffer_size,
                 std::size_t spare_buffers,
                 std::function<void()> on_node_unreachable)
        : node(std::move(node_target)),
          buffers(buffer_size, spare_buffers),
          node_pool(executor, node),
          node_unreachable(std::move(on_node_unreachable)) {}
    RelayContext(const RelayContext&) = delete;  // node_pool refers to node
    RelayContext& operator=(const RelayContext&) = delete;

    NodeTarget node;
    BufferPool buffers;
    NodePool node_pool;
    // Shown by the node itself (NodeKeepsEarlyData): a program's first bytes may follow the
    // CONNECT before the node's reply.
    bool node_keeps_early_data = false;
    std::function<void()> node_unreachable;
};

}  // namespace warden::net
