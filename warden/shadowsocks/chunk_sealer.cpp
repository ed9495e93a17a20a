#include "warden/shadowsocks/chunk_sealer.h"

#include <algorithm>

#include "warden/shadowsocks/crypto_library.h"
#include "warden/shadowsocks/key_derivation.h"

namespace warden::shadowsocks {

namespace {
std::vector<std::uint8_t> RandomSalt(std::size_t size) {
    std::vector<std::uint8_t> salt(size);
    RandomBytes(salt);
    return salt;
}
}  // namespace

ChunkSealer::ChunkSealer(const Method& method, std::span<const std::uint8_t> password_key)
    : ChunkSealer(method, password_key, RandomSalt(method.key_size)) {}

ChunkSealer::ChunkSealer(const Method& method,
                         std::span<const std::uint8_t> password_key,
                         std::span<const std::uint8_t> salt)
    : salt_(salt.begin(), salt.end()), cipher_(method, SessionSubkey(password_key, salt)) {}

void ChunkSealer::SealInPlace(std::span<std::uint8_t> chunk) {
    const std::size_t size = chunk.size() - kChunkOverhead;
    chunk[0] = static_cast<std::uint8_t>(size >> 8);
    chunk[1] = static_cast<std::uint8_t>(size & 0xFF);
    cipher_.Seal(chunk.first(2), chunk.subspan(2).first<kTagSize>());
    cipher_.Seal(chunk.subspan(kLengthBlock, size), chunk.last<kTagSize>());
}

void ChunkSealer::Append(std::span<const std::uint8_t> plain, std::vector<std::uint8_t>& out) {
    while (!plain.empty()) {
        const std::size_t size = std::min(plain.size(), kMaxPayload);
        const std::size_t start = out.size();
        out.resize(start + size + kChunkOverhead);
        std::ranges::copy(plain.first(size), out.begin() + static_cast<std::ptrdiff_t>(start + kLengthBlock));
        SealInPlace(std::span(out).subspan(start));
        plain = plain.subspan(size);
    }
}

std::size_t SealedSize(std::size_t plain) {
    const std::size_t chunks = (plain + kMaxPayload - 1) / kMaxPayload;
    return plain + chunks * kChunkOverhead;
}

}  // namespace warden::shadowsocks
