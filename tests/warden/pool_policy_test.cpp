#include <gtest/gtest.h>

#include <chrono>

#include "warden/pool/demand_gauge.h"
#include "warden/pool/dial_backoff.h"
#include "warden/pool/idle_limit.h"

namespace warden::pool {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
const Clock::time_point kStart{};

// A node 50 ms away: a dial (connect, greeting, RFC 1929) takes about three round trips.
DemandGauge DistantNodeGauge() {
    DemandGauge gauge(kStart);
    gauge.RecordDialTime(150ms);
    return gauge;
}

TEST(DemandGauge, WantsOneConnectionFromTheStart) {
    DemandGauge gauge(kStart);
    EXPECT_EQ(gauge.Target(kStart), 1u);
    EXPECT_EQ(gauge.Target(kStart + 9min), 1u);
    EXPECT_EQ(gauge.Target(kStart + 11min), 0u);
}

TEST(DemandGauge, WantsAsManyAsABurstAsked) {
    DemandGauge gauge = DistantNodeGauge();
    for (int i = 0; i < 20; ++i)
        gauge.RecordRequest(kStart + 1s + i * 2ms);  // a page load: 20 connections within 40 ms
    EXPECT_EQ(gauge.Target(kStart + 2s), 20u);
}

TEST(DemandGauge, WantsWhatASteadyStreamUsesWithinTwoDials) {
    DemandGauge gauge = DistantNodeGauge();
    for (int i = 0; i < 50; ++i)
        gauge.RecordRequest(kStart + 1s + i * 100ms);  // one request every two round trips
    EXPECT_EQ(gauge.Target(kStart + 7s), 3u);          // 300 ms window: this one and two before
}

TEST(DemandGauge, NeverWantsMoreThanTheCap) {
    DemandGauge gauge = DistantNodeGauge();
    for (int i = 0; i < 500; ++i)
        gauge.RecordRequest(kStart + 1s);
    EXPECT_EQ(gauge.Target(kStart + 1s), DemandGauge::kCap);
}

TEST(DemandGauge, ForgetsABurstWithinAMinuteOfIdleness) {
    DemandGauge gauge = DistantNodeGauge();
    for (int i = 0; i < 10; ++i)
        gauge.RecordRequest(kStart + 40s);
    EXPECT_EQ(gauge.Target(kStart + 59s), 10u) << "same half minute";
    EXPECT_EQ(gauge.Target(kStart + 89s), 10u) << "the half minute after";
    EXPECT_EQ(gauge.Target(kStart + 90s), 1u) << "a minute later: one, the user was active lately";
    EXPECT_EQ(gauge.Target(kStart + 40s + 10min), 0u) << "ten idle minutes: none";
}

TEST(DemandGauge, ANearNodeNeedsFewReadyConnections) {
    DemandGauge gauge(kStart);
    gauge.RecordDialTime(200us);  // loopback: a stream of requests is served by one or two
    for (int i = 0; i < 100; ++i)
        gauge.RecordRequest(kStart + 1s + i * 300us);
    EXPECT_EQ(gauge.Target(kStart + 2s), 2u);
}

TEST(DialBackoff, DialsFreelyUntilAFailureThenWaitsLongerAfterEachFailureInARow) {
    DialBackoff backoff;
    EXPECT_GE(backoff.Allowance(kStart), 32u);
    const std::pair<Clock::duration, Clock::duration> waits[] = {
        {499ms, 500ms}, {999ms, 1s}, {1999ms, 2s}, {3999ms, 4s}};
    Clock::time_point now = kStart;
    for (const auto& [still_waiting, over] : waits) {
        backoff.Failed(now);
        EXPECT_EQ(backoff.Allowance(now + still_waiting), 0u);
        EXPECT_EQ(backoff.Allowance(now + over), 1u) << "one at a time after a failure";
        now += over;
    }
    for (int i = 0; i < 20; ++i)
        backoff.Failed(now);
    EXPECT_EQ(backoff.Allowance(now + 59s), 0u);
    EXPECT_EQ(backoff.Allowance(now + 60s), 1u) << "a minute at most";
}

TEST(DialBackoff, SuccessesWidenTheAllowanceStepByStep) {
    DialBackoff backoff;
    backoff.Failed(kStart);
    const Clock::time_point later = kStart + 1s;
    for (const std::size_t expected : {2u, 4u, 8u}) {
        backoff.Succeeded();
        EXPECT_EQ(backoff.Allowance(later), expected);
    }
    backoff.Failed(later);
    EXPECT_EQ(backoff.Allowance(later + 500ms), 1u) << "the first failure after a success waits the least";
}

TEST(IdleLimit, RetiresConnectionsBelowWhatTheNodeShowedItsLimitToBe) {
    const struct {
        Clock::duration seen_open;
        bool learned;
        Clock::duration retire_age;
    } cases[] = {
        {0ms, false, 20s},    // closed before its first check: a refusal, not an idle limit
        {900ms, false, 20s},  // likewise
        {8s, true, 7s},       // open at 8 s, closed by 9 s: retired from 7 s on
        {2500ms, true, 0s},   // too short a limit to keep connections ready
        {40s, true, 20s},     // later than the default: nothing changes
    };
    for (const auto& c : cases) {
        IdleLimit limit(1s);
        EXPECT_EQ(limit.NodeClosed(c.seen_open, kStart), c.learned);
        EXPECT_EQ(limit.RetireAge(kStart), c.retire_age) << c.seen_open.count();
    }
}

TEST(IdleLimit, KeepsTheShortestLimitSeenAndForgetsItAfterTenMinutes) {
    IdleLimit limit(1s);
    limit.NodeClosed(12s, kStart);
    limit.NodeClosed(15s, kStart + 1min);
    EXPECT_EQ(limit.RetireAge(kStart + 1min), 11s);
    EXPECT_EQ(limit.RetireAge(kStart + 10min), 11s);
    EXPECT_EQ(limit.RetireAge(kStart + 11min), 20s);
}

}  // namespace
}  // namespace warden::pool
