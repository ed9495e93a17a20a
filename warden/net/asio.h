// Asio as warden uses it: coroutines that take errors as values rather than exceptions.
#pragma once

#include <asio.hpp>
#include <system_error>

namespace warden::net {

using asio::ip::tcp;

// Completion token for `co_await op(..., Await(error))`: the error lands in `error`.
inline auto Await(std::error_code& error) {
    return asio::redirect_error(asio::use_awaitable, error);
}

}  // namespace warden::net
