// Restraint for dials made ahead of need, so that a node that refuses extra connections (a cap
// per user, a full server) is not asked again and again. After a failed dial none starts for a
// while, doubling with each failure in a row up to a minute; then one at a time, and twice as
// many at once after each success, until dials run freely again.
#pragma once

#include <chrono>
#include <cstddef>

namespace warden::pool {

class DialBackoff {
  public:
    using Clock = std::chrono::steady_clock;

    void Failed(Clock::time_point now);
    void Succeeded();

    // How many dials may be in flight at `now`.
    std::size_t Allowance(Clock::time_point now) const;

  private:
    static constexpr std::size_t kFree = 128;  // more than the pool ever wants at once

    std::size_t allowance_ = kFree;
    unsigned failures_in_row_ = 0;
    Clock::time_point resume_at_;
};

}  // namespace warden::pool
