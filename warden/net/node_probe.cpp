#include "warden/net/node_probe.h"

#include <chrono>

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
    return Bounded(GreetNode(socket_, target_));
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
