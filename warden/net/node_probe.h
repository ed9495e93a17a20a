// One check of the node on a connection of its own: connect, then the greeting with the
// RFC 1929 exchange, each step bounded in time. Used at start-up and by the health monitor.
#pragma once

#include <memory>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

class NodeProbe : public std::enable_shared_from_this<NodeProbe> {
  public:
    static std::shared_ptr<NodeProbe> Create(const asio::any_io_executor& executor, const NodeTarget& target);

    asio::awaitable<std::error_code> Connect();
    asio::awaitable<std::error_code> Greet();

    // The connection, ready for a request once both steps succeeded.
    tcp::socket TakeSocket() { return std::move(socket_); }

  private:
    NodeProbe(const asio::any_io_executor& executor, const NodeTarget& target);

    // Runs `step`, closing the socket if it takes too long; then the error says kTimedOut.
    asio::awaitable<std::error_code> Bounded(asio::awaitable<std::error_code> step);

    const NodeTarget& target_;
    tcp::socket socket_;
    asio::steady_timer timer_;
    bool timed_out_ = false;
};

}  // namespace warden::net
