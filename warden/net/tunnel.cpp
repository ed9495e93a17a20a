#include "warden/net/tunnel.h"

#include <algorithm>

#include "warden/shadowsocks/sealing_slots.h"

namespace warden::net {

void Tunnel::Start(tcp::socket client,
                   tcp::socket node,
                   std::shared_ptr<RelayContext> context,
                   ConnectionSlot slot,
                   Handover handover) {
    std::shared_ptr<Tunnel> tunnel(new Tunnel(std::move(client), std::move(node), std::move(context), std::move(slot)));
    if (handover.sealer) {
        const NodeTarget& node_target = tunnel->context_->node;
        tunnel->sealed_.reset(new Sealed{std::move(*handover.sealer),
                                         shadowsocks::ChunkReader(*node_target.method, node_target.password_key)});
    }
    // Writes go out without blocking; what does not fit waits for an asynchronous write.
    for (tcp::socket* socket : {&tunnel->client_, &tunnel->node_}) {
        std::error_code error;
        if (!socket->non_blocking())
            socket->non_blocking(true, error);
        if (error)
            return;
    }
    if (handover.node_reply_pending)
        tunnel->AwaitNodeReply();
    tunnel->Begin(tunnel->upstream_, handover.to_node);
    tunnel->Begin(tunnel->downstream_, handover.to_client);
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
    Forward(direction, {asio::buffer(place, early.size())}, false);
}

void Tunnel::Read(Direction& direction) {
    const std::span<std::uint8_t> target =
        direction.busy_buffer
            ? std::span(reinterpret_cast<std::uint8_t*>(direction.busy_buffer.get()), context_->buffers.buffer_size())
            : std::span(reinterpret_cast<std::uint8_t*>(direction.quiet_buffer.data()), direction.quiet_buffer.size());
    if (sealed_ && &direction == &upstream_)
        return ReadToSeal(direction, target);
    direction.from.async_read_some(
        asio::buffer(target.data(), target.size()),
        [self = shared_from_this(), &direction, target](std::error_code error, std::size_t size) {
            if (error == asio::error::eof)
                return self->Finish(direction);
            if (error)
                return self->Abort();
            // A full read says more is on its way; a short one, that the flow has paused.
            const bool busy = size == target.size();
            if (&direction == &self->downstream_ && self->pending_reply_)
                return self->TakeNodeReply(target.data(), size);
            if (&direction == &self->downstream_ && self->sealed_)
                return self->Open(target.data(), size, busy);
            self->Forward(direction, {asio::buffer(target.data(), size)}, busy);
        });
}

void Tunnel::ReadToSeal(Direction& direction, std::span<std::uint8_t> target) {
    const shadowsocks::SealingSlots slots(target);
    std::array<asio::mutable_buffer, shadowsocks::SealingSlots::kMaxSlots> payloads;  // the rest stay empty
    std::ranges::transform(slots.payloads(), payloads.begin(),
                           [](std::span<std::uint8_t> payload) { return asio::buffer(payload.data(), payload.size()); });
    direction.from.async_read_some(
        payloads, [self = shared_from_this(), &direction, slots](std::error_code error, std::size_t size) {
            if (error == asio::error::eof)
                return self->Finish(direction);
            if (error)
                return self->Abort();
            const auto sealed = slots.Seal(self->sealed_->sealer, size);
            self->Forward(direction, {asio::buffer(sealed.data(), sealed.size())}, size == slots.capacity());
        });
}

void Tunnel::Open(std::uint8_t* data, std::size_t size, bool busy) {
    shadowsocks::ChunkReader::Plaintext plaintext;
    if (!sealed_->reader.Feed({data, size}, plaintext))
        return Abort();
    Runs runs;
    for (std::size_t run = 0; run < plaintext.count; ++run)
        runs[run] = asio::buffer(plaintext.runs[run].data(), plaintext.runs[run].size());
    Forward(downstream_, runs, busy);
}

void Tunnel::Forward(Direction& direction, Runs runs, bool busy) {
    std::error_code error;
    std::size_t written = direction.to.write_some(runs, error);
    if (error && error != asio::error::would_block)
        return Abort();
    for (asio::const_buffer& run : runs) {
        const std::size_t sent = std::min(written, run.size());
        run += sent;
        written -= sent;
    }
    if (asio::buffer_size(runs) == 0)
        return ReadNext(direction, busy);
    asio::async_write(direction.to, runs,
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
    if (sealed_ && &direction == &downstream_ && sealed_->reader.Midway())
        return Abort();  // cut off in the middle of a chunk: what came of it stays unauthenticated
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

void Tunnel::TakeNodeReply(const std::uint8_t* data, std::size_t size) {
    const auto [event, consumed] = pending_reply_->parser.Feed(std::span(data, size));
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
    Forward(downstream_, {asio::buffer(data + consumed, size - consumed)}, false);
}

}  // namespace warden::net
