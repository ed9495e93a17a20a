#include "warden/net/key_check.h"

#include "warden/net/node_failure.h"
#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/shadowsocks/request.h"

namespace warden::net {

asio::awaitable<std::error_code> SendKeyCheck(tcp::socket& node, const NodeTarget& target) {
    shadowsocks::ChunkSealer sealer(*target.method, target.password_key);
    const socks::Destination refused_on_the_node{socks::Ipv4{127, 0, 0, 1}, 0};
    co_return co_await SendNow(node, shadowsocks::Request(sealer, refused_on_the_node, {}));
}

asio::awaitable<std::error_code> AwaitKeyCheckClose(tcp::socket& node) {
    std::uint8_t byte;
    std::error_code error;
    co_await node.async_read_some(asio::buffer(&byte, 1), Await(error));
    if (error == asio::error::eof)
        co_return std::error_code{};
    co_return error ? error : NodeError::kBadReply;
}

}  // namespace warden::net
