// What every local connection needs, shared by all of them: the node, the relay buffers, a
// node connection dialled ahead, and whom to tell when the node cannot be reached.
#pragma once

#include <functional>

#include "warden/net/buffer_pool.h"
#include "warden/net/node_target.h"
#include "warden/net/spare_node_connection.h"

namespace warden::net {

struct RelayContext {
    RelayContext(const asio::any_io_executor& executor,
                 NodeTarget node_target,
                 std::size_t buffer_size,
                 std::size_t spare_buffers,
                 std::function<void()> on_node_unreachable)
        : node(std::move(node_target)),
          buffers(buffer_size, spare_buffers),
          spare_node(executor, node),
          node_unreachable(std::move(on_node_unreachable)) {}
    RelayContext(const RelayContext&) = delete;  // spare_node refers to node
    RelayContext& operator=(const RelayContext&) = delete;

    NodeTarget node;
    BufferPool buffers;
    SpareNodeConnection spare_node;
    std::function<void()> node_unreachable;
};

}  // namespace warden::net
