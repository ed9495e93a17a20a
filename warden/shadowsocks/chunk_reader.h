// What a Shadowsocks node sends back on one connection, read as it arrives, in pieces of any
// size (one byte at a time as well): its salt, then chunks, each a sealed length and a sealed
// payload (see chunk_sealer.h). Only payloads whose tag matched are handed on; a tag that does
// not match, a length of 0 or over kMaxPayload is a fault, and nothing is handed on after it.
// Whole chunks are opened in place in the caller's buffer; a salt, length or payload cut by the
// end of a piece is gathered aside (at most one chunk's worth) until its rest comes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "warden/shadowsocks/aead_cipher.h"
#include "warden/shadowsocks/method.h"

namespace warden::shadowsocks {

class ChunkReader {
  public:
    ChunkReader(const Method& method, std::span<const std::uint8_t> password_key);

    // The plaintext a piece completed: at most two runs, in order (a chunk gathered aside, then
    // those opened in the piece itself). Valid until the next Feed.
    struct Plaintext {
        std::array<std::span<const std::uint8_t>, 2> runs;
        std::size_t count = 0;
    };

    // Takes the next piece from the node; false on a fault (from then on, always false).
    [[nodiscard]] bool Feed(std::span<std::uint8_t> piece, Plaintext& plaintext);

    // Part of a salt or chunk has come and not the rest: an end of stream now cuts it off.
    bool Midway() const;

  private:
    enum class Expecting { kSalt, kLength, kPayload, kFault };  // kFault: for good

    std::size_t UnitSize() const;
    // Opens one whole salt, length block or payload block; false on a fault.
    bool Take(std::span<std::uint8_t> unit, std::span<const std::uint8_t>& payload);

    const Method& method_;
    std::span<const std::uint8_t> password_key_;
    std::optional<AeadCipher> cipher_;  // once the salt is in
    Expecting expecting_ = Expecting::kSalt;
    std::size_t payload_size_ = 0;
    std::vector<std::uint8_t> gathered_;  // the unit cut by the end of the last piece
    std::vector<std::uint8_t> opened_;    // the chunk completed aside, handed on by the last Feed
};

}  // namespace warden::shadowsocks
