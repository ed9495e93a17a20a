// A relay buffer laid out so that what a program sends is sealed where it was read, with no
// copy: the buffer is cut into slots, each a chunk's length block, room for a full payload and
// its tag. A read scatters the program's bytes over the payloads in order, so every slot before
// the last one used is full, and the sealed chunks lie back to back from the buffer's start.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "warden/shadowsocks/chunk_sealer.h"

namespace warden::shadowsocks {

class SealingSlots {
  public:
    // Enough for a relay buffer of 128 KiB.
    static constexpr std::size_t kMaxSlots = 8;

    // `buffer` must hold at least one chunk of one byte and at most kMaxSlots full chunks.
    explicit SealingSlots(std::span<std::uint8_t> buffer);

    // Where to read the program's bytes into, in this order.
    std::span<const std::span<std::uint8_t>> payloads() const { return {payloads_.data(), count_}; }
    std::size_t capacity() const { return capacity_; }

    // Seals the first `size` bytes read into the payloads; returns the chunks to send.
    std::span<const std::uint8_t> Seal(ChunkSealer& sealer, std::size_t size) const;

  private:
    std::span<std::uint8_t> buffer_;
    std::array<std::span<std::uint8_t>, kMaxSlots> payloads_;
    std::size_t count_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace warden::shadowsocks
