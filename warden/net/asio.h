// Asio as warden uses it: coroutines that take errors as values rather than exceptions.
#pragma once

#include <asio.hpp>
#include <span>
#include <system_error>

namespace warden::net {

using asio::ip::tcp;

// Completion token for `co_await op(..., Await(error))`: the error lands in `error`.
inline auto Await(std::error_code& error) {
    return asio::redirect_error(asio::use_awaitable, error);
}

// Sends a handshake message. A non-blocking socket with room in its send buffer takes it whole
// at once, which spares a trip through the event loop; whatever does not fit goes out
// asynchronously.
inline asio::awaitable<std::error_code> SendNow(tcp::socket& socket, std::span<const std::uint8_t> message) {
    std::error_code error;
    const std::size_t written = socket.write_some(asio::buffer(message.data(), message.size()), error);
    if (error == asio::error::would_block)
        error.clear();
    if (!error && written < message.size())
        co_await asio::async_write(socket, asio::buffer(message.subspan(written).data(), message.size() - written),
                                   Await(error));
    co_return error;
}

}  // namespace warden::net
