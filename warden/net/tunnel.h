// Relays bytes both ways between a local program and the node until each side has finished
// sending; an end of stream from one side goes on to the other as a half-close, an error on
// either side closes both.
//
// Each direction reads into a small buffer of its own while its flow is quiet, and borrows a
// big one from the pool only once a read comes back full, giving it back as soon as a read
// comes back short: idle tunnels hold no big buffer, bulk transfers need few system calls.
// What was read is written at once; a full sink keeps the buffer, and nothing more is read
// in that direction until it has drained.
//
// A tunnel may start before the node's reply to its CONNECT (a node known to keep bytes sent
// ahead of it): the program's bytes go on at once, the reply is taken off the front of what the
// node sends, and a refusal, or no reply within the handshake's time, closes both sides. The
// program's end of stream waits for the reply, so that a node still reading the request never
// sees it.
#pragma once

#include <array>
#include <memory>

#include "warden/net/asio.h"
#include "warden/net/buffer_pool.h"
#include "warden/net/connection_slot.h"
#include "warden/net/relay_context.h"
#include "warden/socks/node_reply_parser.h"
#include "warden/socks/wire.h"

namespace warden::net {

class Tunnel : public std::enable_shared_from_this<Tunnel> {
  public:
    // `to_node` and `to_client`: bytes either side sent before the tunnel was up.
    // `node_reply_pending`: the node's reply to the CONNECT is still to come.
    static void Start(tcp::socket client,
                      tcp::socket node,
                      std::shared_ptr<RelayContext> context,
                      ConnectionSlot slot,
                      const socks::Bytes& to_node,
                      const socks::Bytes& to_client,
                      bool node_reply_pending);

  private:
    // Holds a request, a small answer or the bytes of a handshake's last read.
    static constexpr std::size_t kQuietBufferSize = 2048;

    struct Direction {
        Direction(tcp::socket& source, tcp::socket& sink) : from(source), to(sink) {}
        tcp::socket& from;
        tcp::socket& to;
        std::array<std::byte, kQuietBufferSize> quiet_buffer;
        BufferPool::Buffer busy_buffer;  // borrowed while reads come back full
        bool finished = false;           // the source has ended its stream
    };

    // The node's reply to the CONNECT while it is still to come, and how long it may take.
    struct PendingReply {
        explicit PendingReply(const asio::any_io_executor& executor) : deadline(executor) {}
        socks::NodeReplyParser parser{socks::NodeReplyParser::Stage::kConnectReply};
        asio::steady_timer deadline;
        bool program_finished = false;  // its end of stream is held back until the reply
    };

    Tunnel(tcp::socket client, tcp::socket node, std::shared_ptr<RelayContext> context, ConnectionSlot slot);

    void Begin(Direction& direction, const socks::Bytes& early);
    void Read(Direction& direction);
    void Forward(Direction& direction, const std::byte* data, std::size_t size, bool busy);
    void ReadNext(Direction& direction, bool busy);
    void Finish(Direction& direction);
    void Abort();
    void AwaitNodeReply();
    // Takes the reply off the front of what the node sent; relays what follows it.
    void TakeNodeReply(const std::byte* data, std::size_t size);

    tcp::socket client_;
    tcp::socket node_;
    std::shared_ptr<RelayContext> context_;
    ConnectionSlot slot_;
    Direction upstream_{client_, node_};
    Direction downstream_{node_, client_};
    std::unique_ptr<PendingReply> pending_reply_;
};

}  // namespace warden::net
