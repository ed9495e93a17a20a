// The first bytes on a connection to a Shadowsocks node: the salt, then the destination's
// address (ATYP ADDR PORT, a name unresolved) at the front of the first chunk's payload, the
// program's first bytes right behind it, so that both cross in one flight.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "warden/shadowsocks/chunk_sealer.h"
#include "warden/socks/wire.h"

namespace warden::shadowsocks {

std::vector<std::uint8_t> Request(ChunkSealer& sealer,
                                  const socks::Destination& destination,
                                  std::span<const std::uint8_t> first_bytes);

}  // namespace warden::shadowsocks
