#include "warden/net/early_data_probe.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "warden/net/node_handshake.h"
#include "warden/net/node_probe.h"
#include "warden/socks/messages.h"

namespace warden::net {

namespace {

// A SOCKS5 greeting offering "no authentication": a SOCKS5 node answers it with VER=5 METHOD.
const socks::Bytes kGreeting{socks::kVersion5, 1, static_cast<std::uint8_t>(socks::Method::kNoAuth)};
const std::string_view kMarker = "warden: bytes sent ahead of the reply";
// The bytes sent ahead come back from a peer on the node's side, right behind its reply to the
// CONNECT: a few seconds without them mean the node dropped them.
constexpr std::chrono::seconds kAnswerTimeout{3};

asio::awaitable<std::error_code> ReadReply(tcp::socket& node, socks::Bytes& carried, ConnectOutcome& outcome) {
    outcome = co_await ReadConnectReply(node, carried);
    if (!outcome.error && outcome.reply != socks::Reply::kSucceeded)
        outcome.error = asio::error::connection_refused;  // by the node
    co_return outcome.error;
}

// Reads until `carried` holds at least `size` bytes.
asio::awaitable<std::error_code> ReadAtLeast(tcp::socket& node, socks::Bytes& carried, std::size_t size) {
    std::error_code error;
    if (carried.size() < size) {
        const std::size_t have = carried.size();
        carried.resize(size);
        co_await asio::async_read(node, asio::buffer(carried.data() + have, size - have), Await(error));
    }
    co_return error;
}

asio::awaitable<std::shared_ptr<NodeProbe>> Greeted(const asio::any_io_executor& executor, const NodeTarget& target) {
    auto probe = NodeProbe::Create(executor, target);
    std::error_code error = co_await probe->Connect();
    if (!error)
        error = co_await probe->Greet();
    co_return error ? nullptr : probe;
}

// Whether the node kept the greeting; nothing when it would not connect to itself, or could not
// be asked (a node refusing with the greeting unread may reset the connection before its reply
// is read).
asio::awaitable<std::optional<bool>> ThroughItself(const asio::any_io_executor& executor, const NodeTarget& target) {
    const auto probe = co_await Greeted(executor, target);
    if (!probe)
        co_return std::nullopt;
    socks::Bytes carried;
    ConnectOutcome reply;
    if (co_await probe->Bounded(SendRequest(probe->socket(), socks::ConnectRequest(target.address), kGreeting)) ||
        co_await probe->Bounded(ReadReply(probe->socket(), carried, reply))) {
        co_return std::nullopt;
    }
    // Connected to itself: its answer to the greeting comes only if the greeting went through.
    if (co_await probe->Bounded(ReadAtLeast(probe->socket(), carried, 2), kAnswerTimeout))
        co_return false;
    co_return carried[0] == socks::kVersion5;
}

// Where to reach a port the node bound: a node that names no address means its own.
socks::Destination Reachable(const socks::Destination& bound, const socks::Destination& node) {
    const bool unspecified = std::visit(
        [](const auto& host) { return std::ranges::all_of(host, [](auto byte) { return byte == 0; }); }, bound.host);
    return unspecified ? socks::Destination{node.host, bound.port} : bound;
}

asio::awaitable<bool> ThroughABoundPort(const asio::any_io_executor& executor, const NodeTarget& target) {
    const auto listener = co_await Greeted(executor, target);
    if (!listener)
        co_return false;
    socks::Bytes heard;
    ConnectOutcome bound;
    if (co_await listener->Bounded(SendRequest(listener->socket(), socks::BindRequest())) ||
        co_await listener->Bounded(ReadReply(listener->socket(), heard, bound)) || bound.bound.port == 0) {
        co_return false;
    }
    const auto sender = co_await Greeted(executor, target);
    if (!sender)
        co_return false;
    const std::span<const std::uint8_t> marker(reinterpret_cast<const std::uint8_t*>(kMarker.data()), kMarker.size());
    socks::Bytes ignored;
    ConnectOutcome connected, accepted;
    if (co_await sender->Bounded(
            SendRequest(sender->socket(), socks::ConnectRequest(Reachable(bound.bound, target.address)), marker)) ||
        co_await sender->Bounded(ReadReply(sender->socket(), ignored, connected)) ||
        co_await listener->Bounded(ReadReply(listener->socket(), heard, accepted)) ||
        co_await listener->Bounded(ReadAtLeast(listener->socket(), heard, marker.size()), kAnswerTimeout)) {
        co_return false;
    }
    co_return std::ranges::equal(std::span(heard).first(marker.size()), marker);
}

}  // namespace

asio::awaitable<bool> NodeKeepsEarlyData(asio::any_io_executor executor, const NodeTarget& target) {
    if (const std::optional<bool> kept = co_await ThroughItself(executor, target))
        co_return *kept;
    co_return co_await ThroughABoundPort(executor, target);
}

}  // namespace warden::net
