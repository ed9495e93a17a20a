// A connection to the node of its own, each step bounded in time: connect, then the greeting
// with the RFC 1929 exchange, then whatever else the caller runs on it. Used for the checks at
// start-up and by the health monitor, for dials ahead of need and to probe the node.
#pragma once

#include <chrono>
#include <memory>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

class NodeProbe : public std::enable_shared_from_this<NodeProbe> {
  public:
    static std::shared_ptr<NodeProbe> Create(const asio::any_io_executor& executor, const NodeTarget& target);

    asio::awaitable<std::error_code> Connect();
    asio::awaitable<std::error_code> Greet();

    // The time a step with the node may take.
    static constexpr std::chrono::seconds kStepTimeout{10};

    // Runs `step` on socket(), closing the socket if it takes longer than `limit`; then the
    // error says kTimedOut.
    asio::awaitable<std::error_code> Bounded(asio::awaitable<std::error_code> step,
                                             std::chrono::steady_clock::duration limit = kStepTimeout);

    tcp::socket& socket() { return socket_; }
    // The connection, ready for a request once Connect and Greet succeeded.
    tcp::socket TakeSocket() { return std::move(socket_); }

  private:
    NodeProbe(const asio::any_io_executor& executor, const NodeTarget& target);

    const NodeTarget& target_;
    tcp::socket socket_;
    asio::steady_timer timer_;
    bool timed_out_ = false;
};

}  // namespace warden::net
