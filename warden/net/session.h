// One local connection from its first byte until its tunnel is up: reads the program's SOCKS
// request while dialling the node, asks the node for the destination, answers the program in
// its own protocol, and hands both sockets to a Tunnel. The whole handshake is bounded in time.
#pragma once

#include <memory>
#include <optional>

#include "warden/net/asio.h"
#include "warden/net/connection_slot.h"
#include "warden/net/relay_context.h"
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
    asio::awaitable<std::optional<Request>> ReadRequest();
    asio::awaitable<std::optional<Request>> ParseRequest();
    // Connects to the node and gets through its greeting and RFC 1929 exchange.
    asio::awaitable<std::error_code> DialNode();
    asio::awaitable<socks::Reply> RequestThroughNode(const socks::Destination& destination);
    asio::awaitable<std::error_code> SendToClient(const socks::Bytes& message);
    void ArmDeadline();

    tcp::socket client_;
    tcp::socket node_;
    asio::steady_timer deadline_;
    std::shared_ptr<RelayContext> context_;
    ConnectionSlot slot_;
    socks::Bytes to_node_;    // what the program sent behind its request
    socks::Bytes to_client_;  // what the destination sent behind the node's reply
};

}  // namespace warden::net
