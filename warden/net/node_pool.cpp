#include "warden/net/node_pool.h"

#include <algorithm>

#include "warden/net/node_probe.h"

namespace warden::net {

namespace {

constexpr std::chrono::seconds kCheckPeriod{1};

// Open, and silent as a node is before a request: no end of stream, no stray bytes. The socket
// is non-blocking (ConnectNode), so the look does not wait.
bool Silent(tcp::socket& socket) {
    std::error_code error;
    std::uint8_t byte;
    socket.receive(asio::buffer(&byte, 1), tcp::socket::message_peek, error);
    return error == asio::error::would_block;
}

}  // namespace

NodePool::NodePool(const asio::any_io_executor& executor, const NodeTarget& target)
    : executor_(executor), target_(target), check_timer_(executor), demand_(Clock::now()), idle_limit_(kCheckPeriod) {}

void NodePool::Adopt(tcp::socket socket, Clock::duration dial_time) {
    const Clock::time_point now = Clock::now();
    demand_.RecordDialTime(dial_time);
    ready_.push_back({std::move(socket), now, now});
}

void NodePool::RecordDialTime(Clock::duration dial_time) {
    demand_.RecordDialTime(dial_time);
}

void NodePool::Start() {
    if (running_)
        return;
    running_ = true;
    TopUp();
    ScheduleCheck();
}

void NodePool::Stop() {
    running_ = false;
    ready_.clear();
    check_timer_.cancel();
}

std::optional<tcp::socket> NodePool::Take() {
    const Clock::time_point now = Clock::now();
    demand_.RecordRequest(now);
    while (!ready_.empty()) {
        Ready ready = std::move(ready_.front());
        ready_.pop_front();
        if (!Expired(ready, now, {}) && StillOpen(ready, now))
            return std::move(ready.socket);
    }
    return std::nullopt;
}

void NodePool::Replenish() {
    // Once for all the takers of this moment.
    if (top_up_scheduled_ || !running_)
        return;
    top_up_scheduled_ = true;
    asio::post(executor_, [this] {
        top_up_scheduled_ = false;
        TopUp();
    });
}

void NodePool::TopUp() {
    const Clock::time_point now = Clock::now();
    if (!running_ || idle_limit_.RetireAge(now) == Clock::duration{})
        return;
    // Connections that will be retired at the next check are being replaced already.
    const auto fresh = static_cast<std::size_t>(
        std::ranges::count_if(ready_, [&](const Ready& ready) { return !Expired(ready, now, 2 * kCheckPeriod); }));
    const std::size_t wanted = demand_.Target(now);
    const std::size_t allowed = backoff_.Allowance(now);
    // The node never holds more than the cap of them, those about to be retired included: at
    // the cap, one is replaced once it is gone.
    std::size_t held = ready_.size() + dialling_;
    for (std::size_t have = fresh + dialling_; have < wanted && dialling_ < allowed && held < pool::DemandGauge::kCap;
         ++have, ++held) {
        ++dialling_;
        asio::co_spawn(executor_, Dial(), asio::detached);
    }
}

void NodePool::ScheduleCheck() {
    check_timer_.expires_after(kCheckPeriod);
    check_timer_.async_wait([this](std::error_code error) {
        if (!error && running_) {
            Check();
            ScheduleCheck();
        }
    });
}

void NodePool::Check() {
    const Clock::time_point now = Clock::now();
    std::erase_if(ready_, [&](Ready& ready) { return Expired(ready, now, kCheckPeriod) || !StillOpen(ready, now); });
    // Demand has fallen: the oldest fresh connections beyond it go. Those to be retired at the
    // next check, the oldest of all, stay until their replacements are ready.
    const auto first_fresh =
        std::ranges::find_if(ready_, [&](const Ready& ready) { return !Expired(ready, now, 2 * kCheckPeriod); });
    const std::size_t wanted = demand_.Target(now);
    const auto fresh = static_cast<std::size_t>(ready_.end() - first_fresh);
    if (fresh > wanted)
        ready_.erase(first_fresh, first_fresh + static_cast<std::ptrdiff_t>(fresh - wanted));
    TopUp();
}

bool NodePool::StillOpen(Ready& ready, Clock::time_point now) {
    if (Silent(ready.socket)) {
        ready.seen_open_at = now;
        return true;
    }
    // Closed by the node long after it was dialled: its idle limit. Soon after: a refusal.
    if (!idle_limit_.NodeClosed(ready.seen_open_at - ready.ready_at, now))
        backoff_.Failed(now);
    return false;
}

bool NodePool::Expired(const Ready& ready, Clock::time_point now, Clock::duration margin) const {
    return now + margin - ready.ready_at >= idle_limit_.RetireAge(now);
}

asio::awaitable<void> NodePool::Dial() {
    const Clock::time_point started = Clock::now();
    const auto probe = NodeProbe::Create(executor_, target_);
    std::error_code error = co_await probe->Connect();
    if (!error)
        error = co_await probe->Greet();
    --dialling_;
    const Clock::time_point now = Clock::now();
    if (error) {
        // The next request dials for itself, and reports the node if need be.
        backoff_.Failed(now);
        co_return;
    }
    backoff_.Succeeded();
    demand_.RecordDialTime(now - started);
    if (running_)
        ready_.push_back({probe->TakeSocket(), now, now});
    TopUp();  // more may be allowed now
}

}  // namespace warden::net
