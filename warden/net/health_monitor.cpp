#include "warden/net/health_monitor.h"

#include <array>
#include <chrono>
#include <string>

#include "warden/net/node_probe.h"
#include "warden/net/node_failure.h"

namespace warden::net {

namespace {
constexpr std::chrono::seconds kCheckInterval{30};
// Waits before each retry once the node has stopped answering: about a quarter of a minute
// for it to come back before warden gives up.
constexpr std::array kRetryDelays{std::chrono::seconds{2}, std::chrono::seconds{4}, std::chrono::seconds{8}};
}  // namespace

HealthMonitor::HealthMonitor(const asio::any_io_executor& executor, const NodeTarget& target, Events events)
    : executor_(executor), target_(target), events_(std::move(events)), wake_(executor) {}

void HealthMonitor::Start() {
    asio::co_spawn(executor_, Watch(), asio::detached);
}

void HealthMonitor::CheckSoon() {
    if (idle_)
        wake_.cancel();
}

asio::awaitable<void> HealthMonitor::Watch() {
    Status failure = Status::kNodeUnreachable;
    std::string detail;
    for (;;) {
        idle_ = true;
        co_await Sleep(kCheckInterval);
        idle_ = false;
        if (co_await NodeAnswers(failure, detail))
            continue;

        events_.report(Status::kNodeLost, detail);
        events_.lost();
        bool back = false;
        for (std::size_t attempt = 0; attempt < kRetryDelays.size() && !back; ++attempt) {
            co_await Sleep(kRetryDelays[attempt]);
            events_.report(Status::kReconnecting,
                           std::to_string(attempt + 1) + " of " + std::to_string(kRetryDelays.size()));
            back = co_await NodeAnswers(failure, detail);
        }
        if (!back) {
            events_.report(failure, detail);
            events_.gone();
            co_return;
        }
        events_.report(Status::kReady, "node is back");
        events_.back();
    }
}

asio::awaitable<bool> HealthMonitor::NodeAnswers(Status& failure, std::string& detail) {
    const auto probe = NodeProbe::Create(executor_, target_);
    std::error_code error = co_await probe->Connect();
    if (!error)
        error = co_await probe->Check();
    if (!error)
        co_return true;
    failure = NodeFailureStatus(error);
    detail = error.message();
    co_return false;
}

asio::awaitable<void> HealthMonitor::Sleep(std::chrono::seconds duration) {
    wake_.expires_after(duration);
    std::error_code ignored;
    co_await wake_.async_wait(Await(ignored));
}

}  // namespace warden::net
