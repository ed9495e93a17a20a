// One local connection from its first byte until its tunnel is up: takes a node connection
// dialled ahead or dials one while it reads the program's SOCKS request, asks the node for the
// destination, answers the program in its own protocol, and hands both sockets to a Tunnel. On
// a SOCKS5 node known to keep bytes sent ahead of its reply, the program is answered at once and
// its first bytes follow the CONNECT without waiting; the tunnel then reads the node's reply. A
// Shadowsocks node has no reply: the program is answered as soon as its request is read, even
// while the node is still being dialled, and its first bytes go sealed in one flight with the
// destination's address. The whole handshake is bounded in time.
#pragma once

#include <memory>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/connection_slot.h"
#include "warden/net/node_handshake.h"
#include "warden/net/relay_context.h"
#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/socks/wire.h"

namespace warden::net {

class Session : public std::enable_shared_from_this<Session> {
  public:
    static void Start(tcp::socket client, std::shared_ptr<RelayContext> context, ConnectionSlot slot);

  private:
    struct Request {
        socks::Protocol protocol;
        std::uint8_t command;
        socks::Destination destination;
    };

    Session(tcp::socket client, std::shared_ptr<RelayContext> context, ConnectionSlot slot);

    asio::awaitable<void> Run();
    // True once the program has its "granted" reply and both sockets are ready to relay.
    asio::awaitable<bool> Establish();
    // The program's request; a Shadowsocks node's program is answered as soon as it is read.
    asio::awaitable<std::optional<Request>> ReadRequest();
    asio::awaitable<std::optional<Request>> ParseRequest();
    // Connects to the node and gets through its greeting and RFC 1929 exchange.
    asio::awaitable<std::error_code> DialNode();
    // The node's answer to the CONNECT; "succeeded" at once when the reply is left to the tunnel.
    asio::awaitable<socks::Reply> RequestThroughNode(const socks::Destination& destination, bool dialled_ahead);
    // Sends the CONNECT and, unless the tunnel is to read the reply, waits for it.
    asio::awaitable<ConnectOutcome> AskNode(const socks::Destination& destination);
    // A Shadowsocks node: the salt, then the address and the program's first bytes, sealed.
    asio::awaitable<std::error_code> SendSealedRequest(const socks::Destination& destination, bool dialled_ahead);
    // Waits a moment for the program's first bytes (into to_node_); false when it has ended.
    asio::awaitable<bool> AwaitFirstBytes();
    asio::awaitable<std::error_code> SendToClient(const socks::Bytes& message);
    void ArmDeadline();

    tcp::socket client_;
    tcp::socket node_;
    asio::steady_timer deadline_;
    std::shared_ptr<RelayContext> context_;
    ConnectionSlot slot_;
    socks::Bytes to_node_;    // what the program sent behind its request
    socks::Bytes to_client_;  // what the destination sent behind the node's reply
    bool node_reply_pending_ = false;
    std::optional<shadowsocks::ChunkSealer> sealer_;  // a Shadowsocks node's, once the request is sealed
};

}  // namespace warden::net
