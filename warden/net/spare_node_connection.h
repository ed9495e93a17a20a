// A node connection dialled ahead of need: connected, greeted and authenticated, waiting for
// the next program's request, so that a new tunnel costs only the CONNECT exchange. Nodes may
// drop a connection that idles before its request, so a spare is used only while young and
// still open; otherwise the session dials as usual. The next one is dialled once a tunnel has
// passed the program's bytes on to the node: the tunnel then waits for the destination's
// answer, the longest quiet spell of a request, so the dial holds up no handshake or reply.
#pragma once

#include <chrono>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"

namespace warden::net {

class SpareNodeConnection {
  public:
    SpareNodeConnection(const asio::any_io_executor& executor, const NodeTarget& target);

    // The spare, when one is ready and still usable.
    std::optional<tcp::socket> Take();
    // Starts dialling a spare unless one is ready or being dialled.
    void Replenish();

  private:
    asio::awaitable<void> Dial();

    asio::any_io_executor executor_;
    const NodeTarget& target_;
    std::optional<tcp::socket> spare_;
    std::chrono::steady_clock::time_point ready_at_;
    bool dialling_ = false;
};

}  // namespace warden::net
