// The local proxy port, on 127.0.0.1 only: no other machine may use warden as a proxy. It
// stops accepting while the cap of live local connections is reached; new programs then wait
// in the listen queue until a place frees up.
#pragma once

#include <cstdint>
#include <memory>

#include "warden/net/asio.h"
#include "warden/net/relay_context.h"

namespace warden::net {

class LocalServer {
  public:
    LocalServer(const asio::any_io_executor& executor, std::shared_ptr<RelayContext> context);

    std::error_code Listen(std::uint16_t port);
    void Start();

  private:
    asio::awaitable<void> AcceptLoop();
    asio::awaitable<void> Pause(std::chrono::milliseconds duration);

    tcp::acceptor acceptor_;
    std::shared_ptr<RelayContext> context_;
    std::shared_ptr<std::size_t> in_use_;
};

}  // namespace warden::net
