// How many node connections to keep ready, from what programs asked for lately. A ready
// connection serves one request, and its replacement is ready a dial later; so the pool must
// hold as many as requests arrive within about a dial's time. The gauge counts requests within
// a window of twice the dial time and keeps the peak of that count over the last minute: the
// size of a page load's burst, or of a steady stream. One connection stays wanted for ten
// minutes after the last request, none after that; never more than the cap.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>

namespace warden::pool {

class DemandGauge {
  public:
    using Clock = std::chrono::steady_clock;

    // Ready connections kept at most: a page load across many hosts opens a few dozen
    // connections at once, and two such bursts may come within one dial's time.
    static constexpr std::size_t kCap = 64;

    // Warden starts when the user is about to browse: one connection is wanted from the start.
    explicit DemandGauge(Clock::time_point start);

    void RecordRequest(Clock::time_point now);
    // How long the latest dial took from connect to authenticated.
    void RecordDialTime(Clock::duration dial);

    std::size_t Target(Clock::time_point now);

  private:
    void Roll(Clock::time_point now);

    std::deque<Clock::time_point> window_;  // the latest requests within the window, at most kCap
    Clock::duration dial_time_{};
    Clock::time_point period_start_;
    std::size_t peak_ = 0;           // in the current half minute
    std::size_t previous_peak_ = 0;  // in the half minute before
    Clock::time_point last_request_;
};

}  // namespace warden::pool
