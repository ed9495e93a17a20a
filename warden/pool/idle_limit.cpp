#include "warden/pool/idle_limit.h"

#include <algorithm>

namespace warden::pool {

namespace {
// Below the half minute common nodes give a client to send its request.
constexpr std::chrono::seconds kDefaultRetireAge{20};
constexpr std::chrono::minutes kForgetAfter{10};
}  // namespace

IdleLimit::Clock::duration IdleLimit::RetireAge(Clock::time_point now) const {
    if (!learned_ || now - learned_at_ >= kForgetAfter)
        return kDefaultRetireAge;
    // A connection is checked once per period: it must be retired a period before it would be
    // too old, and its replacement dialled a period before that. Below that, keep none.
    const Clock::duration age = std::min<Clock::duration>(*learned_, kDefaultRetireAge);
    return age > 2 * check_period_ ? age : Clock::duration{};
}

bool IdleLimit::NodeClosed(Clock::duration seen_open, Clock::time_point now) {
    if (seen_open < check_period_)
        return false;
    // Closed somewhere after `seen_open`: one check period earlier is safely below the limit.
    const Clock::duration limit = seen_open - check_period_;
    const bool current = learned_ && now - learned_at_ < kForgetAfter;
    learned_ = current ? std::min(*learned_, limit) : limit;
    learned_at_ = now;
    return true;
}

}  // namespace warden::pool
