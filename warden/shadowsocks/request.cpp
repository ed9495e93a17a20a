#include "warden/shadowsocks/request.h"

#include "warden/socks/messages.h"

namespace warden::shadowsocks {

std::vector<std::uint8_t> Request(ChunkSealer& sealer,
                                  const socks::Destination& destination,
                                  std::span<const std::uint8_t> first_bytes) {
    socks::Bytes plain;
    socks::AppendAddress(plain, destination);
    plain.insert(plain.end(), first_bytes.begin(), first_bytes.end());
    std::vector<std::uint8_t> request(sealer.salt().begin(), sealer.salt().end());
    sealer.Append(plain, request);
    return request;
}

}  // namespace warden::shadowsocks
