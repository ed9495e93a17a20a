// Relays bytes both ways between a local program and the node until each side has finished
// sending; an end of stream from one side goes on to the other as a half-close, an error on
// either side closes both.
//
// Each direction reads and writes without blocking for as long as bytes are there, with one
// buffer borrowed from the pool; when the source runs dry the buffer goes back and the
// direction waits for readiness, not with a read posted, so that an idle tunnel holds no
// buffer at all. A full sink keeps the buffer until it drains, which also stops reading.
#pragma once

#include <memory>

#include "warden/net/asio.h"
#include "warden/net/buffer_pool.h"
#include "warden/net/connection_slot.h"
#include "warden/net/relay_context.h"
#include "warden/socks/wire.h"

namespace warden::net {

class Tunnel : public std::enable_shared_from_this<Tunnel> {
  public:
    // `to_node` and `to_client`: bytes either side sent before the tunnel was up.
    static void Start(tcp::socket client,
                      tcp::socket node,
                      std::shared_ptr<RelayContext> context,
                      ConnectionSlot slot,
                      const socks::Bytes& to_node,
                      const socks::Bytes& to_client);

  private:
    struct Direction {
        Direction(tcp::socket& source, tcp::socket& sink) : from(source), to(sink) {}
        tcp::socket& from;
        tcp::socket& to;
        BufferPool::Buffer buffer;
        bool finished = false;
    };

    Tunnel(tcp::socket client, tcp::socket node, std::shared_ptr<RelayContext> context, ConnectionSlot slot);

    void Begin(Direction& direction, const socks::Bytes& early);
    void Pump(Direction& direction);
    void Wait(Direction& direction);
    void WriteRest(Direction& direction, std::size_t offset, std::size_t end);
    void Finish(Direction& direction);
    void Abort();

    tcp::socket client_;
    tcp::socket node_;
    std::shared_ptr<RelayContext> context_;
    ConnectionSlot slot_;
    Direction upstream_{client_, node_};
    Direction downstream_{node_, client_};
};

}  // namespace warden::net
