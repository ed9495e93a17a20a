#include "warden/net/tunnel.h"

#include <algorithm>

namespace warden::net {

namespace {
// Reads a busy direction may do in one go before the other tunnels get their turn.
constexpr int kReadsPerTurn = 16;
}  // namespace

void Tunnel::Start(tcp::socket client,
                   tcp::socket node,
                   std::shared_ptr<RelayContext> context,
                   ConnectionSlot slot,
                   const socks::Bytes& to_node,
                   const socks::Bytes& to_client) {
    std::shared_ptr<Tunnel> tunnel(new Tunnel(std::move(client), std::move(node), std::move(context), std::move(slot)));
    std::error_code error;
    tunnel->client_.non_blocking(true, error);
    if (!error)
        tunnel->node_.non_blocking(true, error);
    if (error)
        return;
    tunnel->Begin(tunnel->upstream_, to_node);
    tunnel->Begin(tunnel->downstream_, to_client);
}

Tunnel::Tunnel(tcp::socket client, tcp::socket node, std::shared_ptr<RelayContext> context, ConnectionSlot slot)
    : client_(std::move(client)), node_(std::move(node)), context_(std::move(context)), slot_(std::move(slot)) {}

void Tunnel::Begin(Direction& direction, const socks::Bytes& early) {
    if (early.empty())
        return Pump(direction);
    direction.buffer = context_->buffers.Take();
    std::ranges::copy(early, reinterpret_cast<std::uint8_t*>(direction.buffer.get()));
    WriteRest(direction, 0, early.size());
}

void Tunnel::Pump(Direction& direction) {
    BufferPool& buffers = context_->buffers;
    for (int reads = 0; reads < kReadsPerTurn; ++reads) {
        if (!direction.buffer)
            direction.buffer = buffers.Take();
        std::error_code error;
        const std::size_t read =
            direction.from.read_some(asio::buffer(direction.buffer.get(), buffers.buffer_size()), error);
        if (error == asio::error::would_block)
            return Wait(direction);
        if (error == asio::error::eof)
            return Finish(direction);
        if (error)
            return Abort();

        const std::size_t written = direction.to.write_some(asio::buffer(direction.buffer.get(), read), error);
        if (error && error != asio::error::would_block)
            return Abort();
        if (written < read)
            return WriteRest(direction, written, read);
        // A short read has emptied the socket: wait for more rather than ask again in vain.
        if (read < buffers.buffer_size())
            return Wait(direction);
    }
    asio::post(direction.from.get_executor(), [self = shared_from_this(), &direction] { self->Pump(direction); });
}

void Tunnel::Wait(Direction& direction) {
    context_->buffers.Give(std::move(direction.buffer));
    direction.from.async_wait(tcp::socket::wait_read, [self = shared_from_this(), &direction](std::error_code error) {
        if (error)
            return self->Abort();
        self->Pump(direction);
    });
}

void Tunnel::WriteRest(Direction& direction, std::size_t offset, std::size_t end) {
    asio::async_write(direction.to, asio::buffer(direction.buffer.get() + offset, end - offset),
                      [self = shared_from_this(), &direction](std::error_code error, std::size_t) {
                          if (error)
                              return self->Abort();
                          self->Pump(direction);
                      });
}

void Tunnel::Finish(Direction& direction) {
    context_->buffers.Give(std::move(direction.buffer));
    direction.finished = true;
    std::error_code ignored;
    direction.to.shutdown(tcp::socket::shutdown_send, ignored);
    // Once both directions are finished nothing holds the tunnel, and its sockets close with it.
}

void Tunnel::Abort() {
    std::error_code ignored;
    client_.close(ignored);
    node_.close(ignored);
}

}  // namespace warden::net
