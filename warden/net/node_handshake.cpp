#include "warden/net/node_handshake.h"

#include <array>
#include <optional>

#include "warden/net/node_failure.h"
#include "warden/socks/messages.h"
#include "warden/socks/node_reply_parser.h"

namespace warden::net {

namespace {

using socks::NodeReplyParser;

// Feeds `input` to `parser`; once the reply is whole, the bytes behind it go to `rest`.
std::optional<std::error_code> Feed(NodeReplyParser& parser, std::span<const std::uint8_t> input, socks::Bytes* rest) {
    const auto [event, consumed] = parser.Feed(input);
    if (event == NodeReplyParser::Event::kInvalid)
        return NodeError::kBadReply;
    if (event == NodeReplyParser::Event::kNeedMore)
        return std::nullopt;
    if (rest)
        rest->assign(input.begin() + static_cast<std::ptrdiff_t>(consumed), input.end());
    return std::error_code{};
}

// Reads until `parser` has the whole reply. `carried`: bytes already read from the node, which
// come first; on return, the bytes behind the reply.
asio::awaitable<std::error_code> ReadReply(tcp::socket& node,
                                           NodeReplyParser& parser,
                                           socks::Bytes* carried = nullptr) {
    if (carried && !carried->empty()) {
        const socks::Bytes input = std::exchange(*carried, {});
        if (const auto outcome = Feed(parser, input, carried))
            co_return *outcome;
    }
    std::array<std::uint8_t, 512> buffer;
    for (;;) {
        std::error_code error;
        const std::size_t size = co_await node.async_read_some(asio::buffer(buffer), Await(error));
        if (error)
            co_return error;
        if (const auto outcome = Feed(parser, std::span<const std::uint8_t>(buffer.data(), size), carried))
            co_return *outcome;
    }
}

asio::awaitable<std::error_code> Exchange(tcp::socket& node, const socks::Bytes& message, NodeReplyParser& parser) {
    if (auto error = co_await SendNow(node, message))
        co_return error;
    co_return co_await ReadReply(node, parser);
}

socks::Reply ReplyFromNode(std::uint8_t code) {
    return code <= static_cast<std::uint8_t>(socks::Reply::kAddressTypeNotSupported) ? static_cast<socks::Reply>(code)
                                                                                     : socks::Reply::kGeneralFailure;
}

}  // namespace

asio::awaitable<std::error_code> ConnectNode(tcp::socket& node, const NodeTarget& target) {
    std::error_code error = asio::error::host_not_found;
    for (const auto& entry : target.endpoints) {
        node.close(error);
        node.open(entry.endpoint().protocol(), error);
        // Non-blocking from the start, as the relay wants it: no mode switch later.
        if (!error)
            node.non_blocking(true, error);
        if (!error)
            node.set_option(tcp::no_delay(true), error);
        if (!error)
            co_await node.async_connect(entry.endpoint(), Await(error));
        if (!error || error == asio::error::operation_aborted)
            break;  // connected, or closed meanwhile: the session or its deadline gave up
    }
    co_return error;
}

asio::awaitable<std::error_code> GreetNode(tcp::socket& node, const NodeTarget& target) {
    NodeReplyParser method_choice(NodeReplyParser::Stage::kMethodChoice);
    if (auto error = co_await Exchange(node, socks::NodeGreeting(), method_choice))
        co_return error;
    switch (static_cast<socks::Method>(method_choice.code())) {
        case socks::Method::kNoAuth:
            co_return std::error_code{};
        case socks::Method::kUserPassword:
            break;
        default:
            co_return NodeError::kAuthRefused;
    }
    NodeReplyParser auth_status(NodeReplyParser::Stage::kAuthStatus);
    if (auto error = co_await Exchange(node, socks::AuthRequest(target.user, target.key), auth_status)) {
        co_return error;
    }
    co_return auth_status.code() == socks::kAuthAccepted ? std::error_code{} : NodeError::kAuthRefused;
}

asio::awaitable<std::error_code> SendRequest(tcp::socket& node,
                                             const socks::Bytes& request,
                                             std::span<const std::uint8_t> behind) {
    if (behind.empty())
        co_return co_await SendNow(node, request);
    socks::Bytes message(request);
    message.insert(message.end(), behind.begin(), behind.end());
    co_return co_await SendNow(node, message);
}

asio::awaitable<ConnectOutcome> ReadConnectReply(tcp::socket& node, socks::Bytes& carried) {
    NodeReplyParser reply(NodeReplyParser::Stage::kConnectReply);
    if (const std::error_code error = co_await ReadReply(node, reply, &carried))
        co_return ConnectOutcome{error};
    co_return ConnectOutcome{{}, ReplyFromNode(reply.code()), reply.bound()};
}

}  // namespace warden::net
