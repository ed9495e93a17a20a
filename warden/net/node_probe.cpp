#include "warden/net/node_probe.h"

#include <chrono>

#include "warden/net/key_check.h"
#include "warden/net/node_handshake.h"
#include "warden/net/node_failure.h"

namespace warden::net {

std::shared_ptr<NodeProbe> NodeProbe::Create(const asio::any_io_executor& executor, const NodeTarget& target) {
    return std::shared_ptr<NodeProbe>(new NodeProbe(executor, target));
}

NodeProbe::NodeProbe(const asio::any_io_executor& executor, const NodeTarget& target)
    : target_(target), socket_(executor), timer_(executor) {}

asio::awaitable<std::error_code> NodeProbe::Connect() {
    return Bounded(ConnectNode(socket_, target_));
}

asio::awaitable<std::error_code> NodeProbe::Greet() {
    if (target_.shadowsocks())
        co_return std::error_code{};
    co_return co_await Bounded(GreetNode(socket_, target_));
}

asio::awaitable<std::error_code> NodeProbe::Check() {
    if (!target_.shadowsocks())
        co_return co_await Greet();
    if (const std::error_code error = co_await Bounded(SendKeyCheck(socket_, target_)))
        co_return error;
    const std::error_code error = co_await Bounded(AwaitKeyCheckClose(socket_), kKeyCheckWait);
    co_return error == NodeError::kTimedOut ? make_error_code(NodeError::kKeyNotTaken) : error;
}

std::optional<tcp::socket> NodeProbe::TakeCheckedSocket() {
    if (target_.shadowsocks())
        return std::nullopt;
    return TakeSocket();
}

asio::awaitable<std::error_code> NodeProbe::Bounded(asio::awaitable<std::error_code> step,
                                                    std::chrono::steady_clock::duration limit) {
    timer_.expires_after(limit);
    timer_.async_wait([self = shared_from_this()](std::error_code error) {
        if (error)
            return;
        self->timed_out_ = true;
        self->socket_.close(error);
    });
    const std::error_code error = co_await std::move(step);
    timer_.cancel();
    co_return timed_out_ ? make_error_code(NodeError::kTimedOut) : error;
}

}  // namespace warden::net
