// How long a ready node connection may wait for a request before it is retired. Nodes close a
// connection that sends no request for a while (their own limit, often tens of seconds): a ready
// connection must be gone before then, or a request could meet a connection being closed. The
// pool looks at its connections once per check period; a connection seen open at age A and then
// found closed tells that the node's limit is just above A, so connections are retired younger
// than that from then on. What was learned is forgotten ten minutes after the last such close,
// since a node that restarts closes connections of every age.
#pragma once

#include <chrono>
#include <optional>

namespace warden::pool {

class IdleLimit {
  public:
    using Clock = std::chrono::steady_clock;

    explicit IdleLimit(Clock::duration check_period) : check_period_(check_period) {}

    // The age at which a ready connection must no longer be used; zero when the node's limit is
    // too short to keep connections ready at all.
    Clock::duration RetireAge(Clock::time_point now) const;

    // A ready connection the node closed on its own; it was last seen open at age `seen_open`.
    // Returns false when it was never seen open long enough to tell an idle limit from a refusal.
    bool NodeClosed(Clock::duration seen_open, Clock::time_point now);

  private:
    Clock::duration check_period_;
    std::optional<Clock::duration> learned_;
    Clock::time_point learned_at_;
};

}  // namespace warden::pool
