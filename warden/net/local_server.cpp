#include "warden/net/local_server.h"

#include "warden/net/connection_slot.h"
#include "warden/net/session.h"
#include "warden/process/os.h"

namespace warden::net {

namespace {
// Browsers keep a few hundred connections at most; the cap is far above that and still
// bounds the sockets and memory a runaway program can make warden hold.
constexpr std::size_t kMaxConnections = 2048;
// How long accepting rests when the cap is reached or the system is out of sockets.
constexpr std::chrono::milliseconds kAcceptRest{20};
}  // namespace

LocalServer::LocalServer(const asio::any_io_executor& executor, std::shared_ptr<RelayContext> context)
    : acceptor_(executor), context_(std::move(context)), in_use_(std::make_shared<std::size_t>(0)) {}

std::error_code LocalServer::Listen(std::uint16_t port) {
    const tcp::endpoint endpoint(asio::ip::address_v4::loopback(), port);
    std::error_code error;
    acceptor_.open(endpoint.protocol(), error);
    if (error)
        return error;
    os::PrepareListener(acceptor_);
    acceptor_.bind(endpoint, error);
    if (!error)
        acceptor_.listen(asio::socket_base::max_listen_connections, error);
    return error;
}

void LocalServer::Start() {
    asio::co_spawn(acceptor_.get_executor(), AcceptLoop(), asio::detached);
}

asio::awaitable<void> LocalServer::AcceptLoop() {
    for (;;) {
        if (*in_use_ >= kMaxConnections) {
            co_await Pause(kAcceptRest);
            continue;
        }
        std::error_code error;
        tcp::socket client = co_await acceptor_.async_accept(Await(error));
        if (error == asio::error::operation_aborted)
            co_return;
        if (error) {
            // Out of sockets or memory for a moment: let some connections end first.
            co_await Pause(kAcceptRest);
            continue;
        }
        client.non_blocking(true, error);  // as the relay wants it, so that Asio need not switch it later
        client.set_option(tcp::no_delay(true), error);
        Session::Start(std::move(client), context_, ConnectionSlot(in_use_));
    }
}

asio::awaitable<void> LocalServer::Pause(std::chrono::milliseconds duration) {
    asio::steady_timer timer(acceptor_.get_executor(), duration);
    std::error_code ignored;
    co_await timer.async_wait(Await(ignored));
}

}  // namespace warden::net
