#include "warden/net/tunnel.h"

#include <algorithm>

namespace warden::net {

void Tunnel::Start(tcp::socket client,
                   tcp::socket node,
                   std::shared_ptr<RelayContext> context,
                   ConnectionSlot slot,
                   const socks::Bytes& to_node,
                   const socks::Bytes& to_client,
                   bool node_reply_pending) {
    std::shared_ptr<Tunnel> tunnel(new Tunnel(std::move(client), std::move(node), std::move(context), std::move(slot)));
    // Writes go out without blocking; what does not fit waits for an asynchronous write.
    for (tcp::socket* socket : {&tunnel->client_, &tunnel->node_}) {
        std::error_code error;
        if (!socket->non_blocking())
            socket->non_blocking(true, error);
        if (error)
            return;
    }
    if (node_reply_pending)
        tunnel->AwaitNodeReply();
    tunnel->Begin(tunnel->upstream_, to_node);
    tunnel->Begin(tunnel->downstream_, to_client);
}

Tunnel::Tunnel(tcp::socket client, tcp::socket node, std::shared_ptr<RelayContext> context, ConnectionSlot slot)
    : client_(std::move(client)), node_(std::move(node)), context_(std::move(context)), slot_(std::move(slot)) {}

void Tunnel::Begin(Direction& direction, const socks::Bytes& early) {
    if (early.empty())
        return Read(direction);
    std::byte* place = direction.quiet_buffer.data();
    if (early.size() > direction.quiet_buffer.size())
        place = (direction.busy_buffer = context_->buffers.Take()).get();
    std::ranges::copy(early, reinterpret_cast<std::uint8_t*>(place));
    Forward(direction, place, early.size(), false);
}

void Tunnel::Read(Direction& direction) {
    const asio::mutable_buffer target = direction.busy_buffer
                                            ? asio::buffer(direction.busy_buffer.get(), context_->buffers.buffer_size())
                                            : asio::buffer(direction.quiet_buffer);
    direction.from.async_read_some(
        target, [self = shared_from_this(), &direction, target](std::error_code error, std::size_t size) {
            if (error == asio::error::eof)
                return self->Finish(direction);
            if (error)
                return self->Abort();
            const auto* data = static_cast<const std::byte*>(target.data());
            if (&direction == &self->downstream_ && self->pending_reply_)
                return self->TakeNodeReply(data, size);
            // A full read says more is on its way; a short one, that the flow has paused.
            self->Forward(direction, data, size, size == target.size());
        });
}

void Tunnel::Forward(Direction& direction, const std::byte* data, std::size_t size, bool busy) {
    std::error_code error;
    const std::size_t written = direction.to.write_some(asio::buffer(data, size), error);
    if (error && error != asio::error::would_block)
        return Abort();
    if (written == size)
        return ReadNext(direction, busy);
    asio::async_write(direction.to, asio::buffer(data + written, size - written),
                      [self = shared_from_this(), &direction, busy](std::error_code error, std::size_t) {
                          if (error)
                              return self->Abort();
                          self->ReadNext(direction, busy);
                      });
}

void Tunnel::ReadNext(Direction& direction, bool busy) {
    if (busy && !direction.busy_buffer)
        direction.busy_buffer = context_->buffers.Take();
    if (!busy && direction.busy_buffer)
        context_->buffers.Give(std::move(direction.busy_buffer));
    Read(direction);
}

void Tunnel::Finish(Direction& direction) {
    if (pending_reply_) {
        if (&direction == &downstream_)
            return Abort();  // the node closed without a reply
        pending_reply_->program_finished = true;
        return;
    }
    context_->buffers.Give(std::move(direction.busy_buffer));
    direction.finished = true;
    // Once both directions are finished nothing holds the tunnel, and its sockets close with it;
    // closing tells the end of stream as well, with nothing left unread to turn it into a reset.
    if (upstream_.finished && downstream_.finished)
        return;
    std::error_code ignored;
    direction.to.shutdown(tcp::socket::shutdown_send, ignored);
}

void Tunnel::Abort() {
    std::error_code ignored;
    client_.close(ignored);
    node_.close(ignored);
    pending_reply_.reset();
}

void Tunnel::AwaitNodeReply() {
    pending_reply_ = std::make_unique<PendingReply>(node_.get_executor());
    pending_reply_->deadline.expires_after(kHandshakeTimeout);
    pending_reply_->deadline.async_wait([self = shared_from_this()](std::error_code error) {
        if (!error)
            self->Abort();
    });
}

void Tunnel::TakeNodeReply(const std::byte* data, std::size_t size) {
    const auto [event, consumed] =
        pending_reply_->parser.Feed(std::span(reinterpret_cast<const std::uint8_t*>(data), size));
    if (event == socks::NodeReplyParser::Event::kNeedMore)
        return Read(downstream_);
    if (event == socks::NodeReplyParser::Event::kInvalid ||
        pending_reply_->parser.code() != static_cast<std::uint8_t>(socks::Reply::kSucceeded)) {
        return Abort();
    }
    const bool program_finished = pending_reply_->program_finished;
    pending_reply_.reset();  // cancels the deadline
    if (program_finished)
        Finish(upstream_);
    if (consumed == size)
        return Read(downstream_);
    Forward(downstream_, data + consumed, size - consumed, false);
}

}  // namespace warden::net
