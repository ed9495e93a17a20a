#include "warden/net/session.h"

#include <array>
#include <asio/experimental/awaitable_operators.hpp>
#include <chrono>
#include <tuple>

#include "warden/net/node_handshake.h"
#include "warden/net/tunnel.h"
#include "warden/shadowsocks/request.h"
#include "warden/socks/client_request_parser.h"
#include "warden/socks/messages.h"

namespace warden::net {

namespace {

// How long a program answered "granted" by warden itself may take to send its first bytes,
// which then travel in the Shadowsocks request's chunk: a program on this machine sends them at
// once; one that waits for the destination to speak first (mail, FTP) lets the request go alone
// after this moment.
constexpr std::chrono::milliseconds kFirstBytesWait{20};
// The first chunk holds the longest address (ATYP, length, 255 bytes, port) and this much more.
constexpr std::size_t kFirstBytesMax = shadowsocks::kMaxPayload - (2 + socks::kMaxText + 2);

// The node closed a connection dialled ahead (a moment ago, or long ago without warden seeing it).
bool ClosedByNode(std::error_code error) {
    return error == asio::error::eof || error == asio::error::connection_reset || error == asio::error::broken_pipe ||
           error == asio::error::connection_aborted;
}

}  // namespace

void Session::Start(tcp::socket client, std::shared_ptr<RelayContext> context, ConnectionSlot slot) {
    std::shared_ptr<Session> session(new Session(std::move(client), std::move(context), std::move(slot)));
    session->ArmDeadline();
    asio::co_spawn(
        session->client_.get_executor(), [session] { return session->Run(); }, asio::detached);
}

Session::Session(tcp::socket client, std::shared_ptr<RelayContext> context, ConnectionSlot slot)
    : client_(std::move(client)),
      node_(client_.get_executor()),
      deadline_(client_.get_executor()),
      context_(std::move(context)),
      slot_(std::move(slot)) {}

void Session::ArmDeadline() {
    deadline_.expires_after(kHandshakeTimeout);
    deadline_.async_wait([self = shared_from_this()](std::error_code error) {
        if (error)
            return;
        // Whatever the handshake waits for fails now, and the session ends.
        self->client_.close(error);
        self->node_.close(error);
    });
}

asio::awaitable<void> Session::Run() {
    const bool established = co_await Establish();
    if (!established)
        context_->node_pool.Replenish();  // this session may have taken a ready connection
    // Lets go of the session, which closes its sockets unless a tunnel took them.
    deadline_.cancel();
    if (established) {
        Tunnel::Start(std::move(client_), std::move(node_), context_, std::move(slot_),
                      {std::move(to_node_), std::move(to_client_), node_reply_pending_, std::move(sealer_)});
    }
}

asio::awaitable<bool> Session::Establish() {
    using namespace asio::experimental::awaitable_operators;
    std::optional<Request> request;
    std::error_code dial_error;
    std::optional<tcp::socket> ready = context_->node_pool.Take();
    const bool dialled_ahead = ready.has_value();
    if (ready) {
        node_ = std::move(*ready);
        request = co_await ReadRequest();
    } else {
        // The node is dialled while the program is still sending its request: the waits overlap.
        std::tie(request, dial_error) = co_await (ReadRequest() && DialNode());
    }
    if (!request)
        co_return false;
    if (context_->node.shadowsocks())
        co_return !dial_error && !co_await SendSealedRequest(request->destination, dialled_ahead);
    socks::Reply reply = socks::Reply::kCommandNotSupported;
    if (request->command == socks::kCommandConnect) {
        reply = dial_error ? socks::Reply::kGeneralFailure
                           : co_await RequestThroughNode(request->destination, dialled_ahead);
    }
    const std::error_code error = co_await SendToClient(socks::ClientReply(request->protocol, reply));
    co_return !error && reply == socks::Reply::kSucceeded;
}

asio::awaitable<std::optional<Session::Request>> Session::ReadRequest() {
    std::optional<Request> request = co_await ParseRequest();
    // A Shadowsocks node has no reply to wait for: the program is answered at once, even while
    // the node is still being dialled.
    if (request && context_->node.shadowsocks()) {
        const socks::Reply reply =
            request->command == socks::kCommandConnect ? socks::Reply::kSucceeded : socks::Reply::kCommandNotSupported;
        if (co_await SendToClient(socks::ClientReply(request->protocol, reply)) || reply != socks::Reply::kSucceeded)
            request.reset();
    }
    if (!request) {
        std::error_code ignored;
        node_.close(ignored);  // no tunnel: stop dialling the node
    }
    co_return request;
}

asio::awaitable<std::optional<Session::Request>> Session::ParseRequest() {
    using Event = socks::ClientRequestParser::Event;
    socks::ClientRequestParser parser;
    std::array<std::uint8_t, 512> buffer;
    for (;;) {
        std::error_code error;
        const std::size_t size = co_await client_.async_read_some(asio::buffer(buffer), Await(error));
        if (error)
            co_return std::nullopt;
        std::span<const std::uint8_t> input(buffer.data(), size);
        while (!input.empty()) {
            const auto [event, consumed] = parser.Feed(input);
            input = input.subspan(consumed);
            switch (event) {
                case Event::kNeedMore:
                    break;
                case Event::kGreeting: {
                    const auto method =
                        parser.offers_no_auth() ? socks::Method::kNoAuth : socks::Method::kNoneAcceptable;
                    error = co_await SendToClient(socks::MethodChoice(method));
                    if (error || method == socks::Method::kNoneAcceptable)
                        co_return std::nullopt;
                    break;
                }
                case Event::kRequest:
                    to_node_.assign(input.begin(), input.end());
                    co_return Request{parser.protocol(), parser.command(), parser.destination()};
                case Event::kInvalid: {
                    const socks::Bytes rejection = socks::Rejection(parser.protocol(), parser.fault());
                    if (!rejection.empty())
                        co_await SendToClient(rejection);
                    co_return std::nullopt;
                }
            }
        }
    }
}

asio::awaitable<std::error_code> Session::DialNode() {
    std::error_code error = co_await ConnectNode(node_, context_->node);
    if (!error && !context_->node.shadowsocks())
        error = co_await GreetNode(node_, context_->node);
    // A closed socket means the request failed or the deadline ran out: nothing about the node.
    if (error && error != asio::error::operation_aborted && error != asio::error::bad_descriptor) {
        context_->node_unreachable();
    }
    co_return error;
}

asio::awaitable<socks::Reply> Session::RequestThroughNode(const socks::Destination& destination, bool dialled_ahead) {
    ConnectOutcome outcome = co_await AskNode(destination);
    // A connection dialled ahead that the node closed a moment ago told nothing about the
    // destination: one more try on a connection of this session's own.
    if (dialled_ahead && ClosedByNode(outcome.error) && !co_await DialNode())
        outcome = co_await AskNode(destination);
    co_return outcome.error ? socks::Reply::kGeneralFailure : outcome.reply;
}

asio::awaitable<ConnectOutcome> Session::AskNode(const socks::Destination& destination) {
    // Where the node keeps bytes sent ahead of its reply, what the program sent behind its
    // request goes in the same write as the CONNECT, and the tunnel reads the reply.
    const bool ahead = context_->node_keeps_early_data;
    const std::span<const std::uint8_t> behind = ahead ? to_node_ : std::span<const std::uint8_t>{};
    if (const std::error_code error = co_await SendRequest(node_, socks::ConnectRequest(destination), behind))
        co_return ConnectOutcome{error};
    context_->node_pool.Replenish();
    if (!ahead)
        co_return co_await ReadConnectReply(node_, to_client_);
    to_node_.clear();
    node_reply_pending_ = true;
    co_return ConnectOutcome{{}, socks::Reply::kSucceeded};
}

asio::awaitable<std::error_code> Session::SendSealedRequest(const socks::Destination& destination,
                                                            bool dialled_ahead) {
    if (to_node_.empty() && !co_await AwaitFirstBytes())
        co_return asio::error::eof;  // the program ended before its first byte: nothing to ask for
    for (;;) {
        sealer_.emplace(*context_->node.method, context_->node.password_key);  // a fresh salt each time
        const std::error_code error = co_await SendNow(node_, shadowsocks::Request(*sealer_, destination, to_node_));
        // A connection dialled ahead that the node had closed: once more on one of this session's own.
        if (error && dialled_ahead && ClosedByNode(error) && !co_await DialNode()) {
            dialled_ahead = false;
            continue;
        }
        if (!error) {
            to_node_.clear();
            context_->node_pool.Replenish();
        }
        co_return error;
    }
}

asio::awaitable<bool> Session::AwaitFirstBytes() {
    using namespace asio::experimental::awaitable_operators;
    // Waiting for the socket to be readable takes no bytes: cutting the wait short loses none.
    asio::steady_timer moment(client_.get_executor(), kFirstBytesWait);
    std::error_code readable, elapsed;
    co_await (client_.async_wait(tcp::socket::wait_read, Await(readable)) || moment.async_wait(Await(elapsed)));
    to_node_.resize(kFirstBytesMax);
    std::error_code error;
    const std::size_t size = client_.read_some(asio::buffer(to_node_), error);  // the socket does not block
    to_node_.resize(size);
    co_return !error || error == asio::error::would_block;
}

asio::awaitable<std::error_code> Session::SendToClient(const socks::Bytes& message) {
    return SendNow(client_, message);
}

}  // namespace warden::net
