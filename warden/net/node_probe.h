// A connection to the node of its own, each step bounded in time: connect, then what makes it
// ready for a request (a SOCKS5 node's greeting with the RFC 1929 exchange) or the check that the
// node takes the credentials, then whatever else the caller runs on it. Used for the checks at
// start-up and by the health monitor, for dials ahead of need and to probe the node.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

class NodeProbe : public std::enable_shared_from_this<NodeProbe> {
  public:
    static std::shared_ptr<NodeProbe> Create(const asio::any_io_executor& executor, const NodeTarget& target);

    asio::awaitable<std::error_code> Connect();
    // Readies the connection for a request: a SOCKS5 node's greeting and RFC 1929 exchange; a
    // Shadowsocks node needs nothing before the request.
    asio::awaitable<std::error_code> Greet();
    // Proves that the node takes the credentials: the greeting of a SOCKS5 node, which leaves the
    // connection ready for a request; a Shadowsocks node's key check (key_check.h), which uses it up.
    asio::awaitable<std::error_code> Check();

    // The time a step with the node may take.
    static constexpr std::chrono::seconds kStepTimeout{10};

    // Runs `step` on socket(), closing the socket if it takes longer than `limit`; then the
    // error says kTimedOut.
    asio::awaitable<std::error_code> Bounded(asio::awaitable<std::error_code> step,
                                             std::chrono::steady_clock::duration limit = kStepTimeout);

    tcp::socket& socket() { return socket_; }
    // The connection, ready for a request once Connect and Greet succeeded.
    tcp::socket TakeSocket() { return std::move(socket_); }
    // The connection after Check, when it is still ready for a request.
    std::optional<tcp::socket> TakeCheckedSocket();

  private:
    NodeProbe(const asio::any_io_executor& executor, const NodeTarget& target);

    const NodeTarget& target_;
    tcp::socket socket_;
    asio::steady_timer timer_;
    bool timed_out_ = false;
};

}  // namespace warden::net
