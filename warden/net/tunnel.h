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
//
// To a Shadowsocks node the program's bytes go sealed, in chunks sealed where they were read
// (shadowsocks::SealingSlots), and the node's bytes are opened as they come; only authenticated
// payloads reach the program. A fault in what the node sends, or an end of stream in the middle of
// a chunk, closes both sides.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/buffer_pool.h"
#include "warden/net/connection_slot.h"
#include "warden/net/relay_context.h"
#include "warden/shadowsocks/chunk_reader.h"
#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/socks/node_reply_parser.h"
#include "warden/socks/wire.h"

namespace warden::net {

class Tunnel : public std::enable_shared_from_this<Tunnel> {
  public:
    // What the session leaves to the tunnel besides the sockets.
    struct Handover {
        socks::Bytes to_node;             // bytes either side sent before the tunnel was up
        socks::Bytes to_client;
        bool node_reply_pending = false;  // a SOCKS5 node's reply to the CONNECT is still to come
        std::optional<shadowsocks::ChunkSealer> sealer;  // a Shadowsocks node's, its request sent
    };

    static void Start(tcp::socket client,
                      tcp::socket node,
                      std::shared_ptr<RelayContext> context,
                      ConnectionSlot slot,
                      Handover handover);

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

    // The program's bytes sealed on their way to a Shadowsocks node, the node's opened.
    struct Sealed {
        shadowsocks::ChunkSealer sealer;
        shadowsocks::ChunkReader reader;
    };

    // What one read gives to write: up to two runs of bytes.
    using Runs = std::array<asio::const_buffer, 2>;

    Tunnel(tcp::socket client, tcp::socket node, std::shared_ptr<RelayContext> context, ConnectionSlot slot);

    void Begin(Direction& direction, const socks::Bytes& early);
    void Read(Direction& direction);
    // Reads what the program sends into the payloads of sealing slots, and seals it there.
    void ReadToSeal(Direction& direction, std::span<std::uint8_t> target);
    // Opens what a Shadowsocks node sent; passes on the authenticated payloads.
    void Open(std::uint8_t* data, std::size_t size, bool busy);
    void Forward(Direction& direction, Runs runs, bool busy);
    void ReadNext(Direction& direction, bool busy);
    void Finish(Direction& direction);
    void Abort();
    void AwaitNodeReply();
    // Takes the reply off the front of what the node sent; relays what follows it.
    void TakeNodeReply(const std::uint8_t* data, std::size_t size);

    tcp::socket client_;
    tcp::socket node_;
    std::shared_ptr<RelayContext> context_;
    ConnectionSlot slot_;
    Direction upstream_{client_, node_};
    Direction downstream_{node_, client_};
    std::unique_ptr<PendingReply> pending_reply_;
    std::unique_ptr<Sealed> sealed_;
};

}  // namespace warden::net
