#include "warden/net/spare_node_connection.h"

#include "warden/net/node_probe.h"

namespace warden::net {

namespace {

// Well below the time nodes give a client to send its request.
constexpr std::chrono::seconds kMaxIdle{10};

// Open, and silent as a node is before a request: no end of stream, no stray bytes. The socket
// is non-blocking (ConnectNode), so the look does not wait.
bool StillUsable(tcp::socket& socket) {
    std::error_code error;
    std::uint8_t byte;
    socket.receive(asio::buffer(&byte, 1), tcp::socket::message_peek, error);
    return error == asio::error::would_block;
}

}  // namespace

SpareNodeConnection::SpareNodeConnection(const asio::any_io_executor& executor, const NodeTarget& target)
    : executor_(executor), target_(target) {}

std::optional<tcp::socket> SpareNodeConnection::Take() {
    std::optional<tcp::socket> taken = std::exchange(spare_, std::nullopt);
    if (taken && (std::chrono::steady_clock::now() - ready_at_ > kMaxIdle || !StillUsable(*taken)))
        taken.reset();
    return taken;
}

void SpareNodeConnection::Replenish() {
    if (spare_ || dialling_)
        return;
    dialling_ = true;
    asio::co_spawn(executor_, Dial(), asio::detached);
}

asio::awaitable<void> SpareNodeConnection::Dial() {
    const auto probe = NodeProbe::Create(executor_, target_);
    std::error_code error = co_await probe->Connect();
    if (!error)
        error = co_await probe->Greet();
    dialling_ = false;
    if (error)
        co_return;  // the next session dials for itself, and reports the node if need be
    spare_ = probe->TakeSocket();
    ready_at_ = std::chrono::steady_clock::now();
}

}  // namespace warden::net
