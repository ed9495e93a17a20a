#include "warden/pool/demand_gauge.h"

#include <algorithm>

namespace warden::pool {

namespace {
// Peaks are kept per half minute, and the target is the larger of the current and the last one:
// a burst is remembered for 30 to 60 s.
constexpr std::chrono::seconds kPeriod{30};
constexpr std::chrono::minutes kKeepOneFor{10};
}  // namespace

DemandGauge::DemandGauge(Clock::time_point start) : period_start_(start), last_request_(start) {}

void DemandGauge::RecordRequest(Clock::time_point now) {
    Roll(now);
    last_request_ = now;
    const Clock::duration window = 2 * dial_time_;
    while (!window_.empty() && now - window_.front() >= window)
        window_.pop_front();
    if (window_.size() == kCap)
        window_.pop_front();  // the count is at the cap already: older entries change nothing
    window_.push_back(now);
    peak_ = std::max(peak_, window_.size());
}

void DemandGauge::RecordDialTime(Clock::duration dial) {
    // A moving average: one slow dial does not double the window.
    dial_time_ = dial_time_ == Clock::duration{} ? dial : (3 * dial_time_ + dial) / 4;
}

std::size_t DemandGauge::Target(Clock::time_point now) {
    Roll(now);
    const std::size_t floor = now - last_request_ < kKeepOneFor ? 1 : 0;
    return std::clamp(std::max(peak_, previous_peak_), floor, kCap);
}

void DemandGauge::Roll(Clock::time_point now) {
    if (now - period_start_ < kPeriod)
        return;
    previous_peak_ = now - period_start_ < 2 * kPeriod ? peak_ : 0;
    peak_ = 0;
    period_start_ = now - (now - period_start_) % kPeriod;
}

}  // namespace warden::pool
