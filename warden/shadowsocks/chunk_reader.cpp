#include "warden/shadowsocks/chunk_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "warden/shadowsocks/key_derivation.h"

namespace warden::shadowsocks {

ChunkReader::ChunkReader(const Method& method, std::span<const std::uint8_t> password_key)
    : method_(method), password_key_(password_key) {}

std::size_t ChunkReader::UnitSize() const {
    switch (expecting_) {
        case Expecting::kSalt:
            return method_.key_size;
        case Expecting::kLength:
            return kLengthBlock;
        case Expecting::kPayload:
            return payload_size_ + kTagSize;
        case Expecting::kFault:
            break;
    }
    return 0;
}

bool ChunkReader::Midway() const {
    return !gathered_.empty() || expecting_ == Expecting::kPayload;
}

bool ChunkReader::Take(std::span<std::uint8_t> unit, std::span<const std::uint8_t>& payload) {
    switch (expecting_) {
        case Expecting::kSalt:
            cipher_.emplace(method_, SessionSubkey(password_key_, unit));
            expecting_ = Expecting::kLength;
            return true;
        case Expecting::kLength:
            if (!cipher_->Open(unit.first(2), unit.subspan(2).first<kTagSize>()))
                return false;
            payload_size_ = static_cast<std::size_t>(unit[0] << 8 | unit[1]);
            if (payload_size_ == 0 || payload_size_ > kMaxPayload)
                return false;
            expecting_ = Expecting::kPayload;
            return true;
        case Expecting::kPayload:
            if (!cipher_->Open(unit.first(payload_size_), unit.last<kTagSize>()))
                return false;
            payload = unit.first(payload_size_);
            expecting_ = Expecting::kLength;
            return true;
        case Expecting::kFault:
            break;
    }
    return false;
}

bool ChunkReader::Feed(std::span<std::uint8_t> piece, Plaintext& plaintext) {
    plaintext = {};
    opened_ = {};
    std::uint8_t* const start = piece.data();
    std::uint8_t* end_of_opened = start;  // payloads opened in the piece move down to here
    while (!piece.empty() && expecting_ != Expecting::kFault) {
        const std::size_t size = UnitSize();
        const bool aside = !gathered_.empty() || piece.size() < size;
        std::span<std::uint8_t> unit;
        if (aside) {
            gathered_.reserve(size);
            const std::size_t taken = std::min(size - gathered_.size(), piece.size());
            gathered_.insert(gathered_.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(taken));
            piece = piece.subspan(taken);
            if (gathered_.size() < size)
                break;
            unit = gathered_;
        } else {
            unit = piece.first(size);
            piece = piece.subspan(size);
        }
        std::span<const std::uint8_t> payload;
        if (!Take(unit, payload)) {
            expecting_ = Expecting::kFault;
            plaintext = {};
            return false;
        }
        if (aside) {
            // Only the first unit of a piece can have been gathered: its payload runs first.
            opened_ = std::exchange(gathered_, {});
            if (!payload.empty())
                plaintext.runs[plaintext.count++] = std::span(opened_).first(payload.size());
        } else if (!payload.empty()) {
            std::memmove(end_of_opened, payload.data(), payload.size());
            end_of_opened += payload.size();
        }
    }
    if (expecting_ == Expecting::kFault)
        return false;
    if (end_of_opened != start)
        plaintext.runs[plaintext.count++] = std::span<const std::uint8_t>(start, end_of_opened);
    return true;
}

}  // namespace warden::shadowsocks
