// Node connections dialled ahead of need, each waiting for one program's request: to a SOCKS5
// node connected, greeted and authenticated, so that a new tunnel costs only its CONNECT exchange
// instead of a TCP handshake, a greeting and an RFC 1929 exchange more; to a Shadowsocks node
// connected, so that a new tunnel costs only its request's own round trip. How many are kept
// follows recent demand (pool::DemandGauge), up to 64 held at the node; each is retired before the
// node's idle limit would close it (pool::IdleLimit) and replaced a check earlier (below the cap,
// or else once it is gone); dials that fail hold further dials back (pool::DialBackoff). The
// connections are looked at once a second.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/node_target.h"
#include "warden/pool/demand_gauge.h"
#include "warden/pool/dial_backoff.h"
#include "warden/pool/idle_limit.h"

namespace warden::net {

class NodePool {
  public:
    NodePool(const asio::any_io_executor& executor, const NodeTarget& target);

    // Takes a connection dialled and authenticated elsewhere (the start-up check), and how long
    // that took: the pool knows the node's distance before its own first dial.
    void Adopt(tcp::socket socket, std::chrono::steady_clock::duration dial_time);
    // Learns the node's distance from a dial whose connection is of no further use.
    void RecordDialTime(std::chrono::steady_clock::duration dial_time);
    // Starts keeping connections ready (once the node has answered).
    void Start();
    // The node is lost: closes the ready connections and dials no more until Start.
    void Stop();

    // Counts a program's request, and gives it the oldest ready connection still usable.
    std::optional<tcp::socket> Take();
    // Dials what demand now calls for, once the taker has sent its CONNECT and waits for the
    // node's reply: a quiet moment, in which the dial holds up no request or reply.
    void Replenish();

  private:
    using Clock = std::chrono::steady_clock;
    struct Ready {
        tcp::socket socket;
        Clock::time_point ready_at;
        Clock::time_point seen_open_at;
    };

    void TopUp();
    void ScheduleCheck();
    void Check();
    // False when the node closed `ready` (or sent what it never should before a request).
    bool StillOpen(Ready& ready, Clock::time_point now);
    // Too old to be used at `now`, or too old to be kept until the next check.
    bool Expired(const Ready& ready, Clock::time_point now, Clock::duration margin) const;
    asio::awaitable<void> Dial();

    asio::any_io_executor executor_;
    const NodeTarget& target_;
    asio::steady_timer check_timer_;
    std::deque<Ready> ready_;  // oldest first
    std::size_t dialling_ = 0;
    bool running_ = false;
    bool top_up_scheduled_ = false;
    pool::DemandGauge demand_;
    pool::DialBackoff backoff_;
    pool::IdleLimit idle_limit_;
};

}  // namespace warden::net
