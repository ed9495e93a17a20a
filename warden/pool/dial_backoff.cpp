#include "warden/pool/dial_backoff.h"

#include <algorithm>

namespace warden::pool {

namespace {
constexpr std::chrono::milliseconds kFirstWait{500};
constexpr std::chrono::milliseconds kLongestWait{60'000};
}  // namespace

void DialBackoff::Failed(Clock::time_point now) {
    const unsigned doublings = std::min(failures_in_row_, 7u);  // 500 ms << 7 is past the longest wait
    ++failures_in_row_;
    allowance_ = 1;
    resume_at_ = now + std::min<Clock::duration>(kFirstWait * (1u << doublings), kLongestWait);
}

void DialBackoff::Succeeded() {
    failures_in_row_ = 0;
    allowance_ = std::min(2 * allowance_, kFree);
}

std::size_t DialBackoff::Allowance(Clock::time_point now) const {
    return now < resume_at_ ? 0 : allowance_;
}

}  // namespace warden::pool
