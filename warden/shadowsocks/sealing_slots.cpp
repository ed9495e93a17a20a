#include "warden/shadowsocks/sealing_slots.h"

#include <algorithm>
#include <stdexcept>

namespace warden::shadowsocks {

SealingSlots::SealingSlots(std::span<std::uint8_t> buffer) : buffer_(buffer) {
    for (std::size_t offset = 0; buffer.size() - offset > kChunkOverhead && count_ < kMaxSlots;) {
        const std::size_t size = std::min(kMaxPayload, buffer.size() - offset - kChunkOverhead);
        payloads_[count_++] = buffer.subspan(offset + kLengthBlock, size);
        capacity_ += size;
        offset += size + kChunkOverhead;
    }
    if (count_ == 0)
        throw std::invalid_argument("a relay buffer too small for a chunk");
}

std::span<const std::uint8_t> SealingSlots::Seal(ChunkSealer& sealer, std::size_t size) const {
    std::size_t sealed = 0;
    for (std::size_t slot = 0; slot < count_ && size > 0; ++slot) {
        const std::size_t used = std::min(size, payloads_[slot].size());
        sealer.SealInPlace(buffer_.subspan(sealed, used + kChunkOverhead));
        sealed += used + kChunkOverhead;
        size -= used;
    }
    return buffer_.first(sealed);
}

}  // namespace warden::shadowsocks
