// What warden sends to a Shadowsocks node on one connection: its salt, then chunks, each a
// sealed two-byte length and a sealed payload of at most kMaxPayload bytes:
//   salt | [len]2 [tag]16 | payload | [tag]16 | [len]2 [tag]16 | payload | [tag]16 | ...
// with the connection's subkey from the salt and nonces counted up from zero.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "warden/shadowsocks/aead_cipher.h"
#include "warden/shadowsocks/method.h"

namespace warden::shadowsocks {

class ChunkSealer {
  public:
    // A fresh random salt.
    ChunkSealer(const Method& method, std::span<const std::uint8_t> password_key);
    // The given salt (tests).
    ChunkSealer(const Method& method, std::span<const std::uint8_t> password_key, std::span<const std::uint8_t> salt);

    std::span<const std::uint8_t> salt() const { return salt_; }

    // Seals one chunk laid out in place: a length block, the payload (1 to kMaxPayload bytes),
    // room for its tag. `chunk` spans all three.
    void SealInPlace(std::span<std::uint8_t> chunk);

    // Appends `plain` to `out` as chunks (any size, cut at kMaxPayload).
    void Append(std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out);

  private:
    std::vector<std::uint8_t> salt_;
    AeadCipher cipher_;
};

// Sealed size of `plain` bytes: each chunk adds kChunkOverhead.
std::size_t SealedSize(std::size_t plain);

}  // namespace warden::shadowsocks
