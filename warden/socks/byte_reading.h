// Small readers of the pieces the SOCKS formats are made of, shared by both parsers.
// Each looks at a whole-or-partial message and never reads past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "warden/socks/wire.h"

namespace warden::socks {

// Big-endian 16-bit value at `offset`; the caller has checked that both bytes are there.
inline std::uint16_t ReadPort(std::span<const std::uint8_t> message, std::size_t offset) {
    return static_cast<std::uint16_t>(message[offset] << 8 | message[offset + 1]);
}

inline std::string ReadText(std::span<const std::uint8_t> message, std::size_t offset, std::size_t size) {
    const auto text = message.subspan(offset, size);
    return {text.begin(), text.end()};
}

// The zero that ends a text starting at `offset` (SOCKS4 user id, SOCKS4a name).
struct TextEnd {
    bool found = false;
    bool too_long = false;  // no zero within kMaxText bytes: it can never be a valid text
    std::size_t at = 0;     // the zero's offset, when found
};
TextEnd FindTextEnd(std::span<const std::uint8_t> message, std::size_t offset);

// ATYP ADDR PORT[2] starting at `offset`, as in SOCKS5 requests and replies.
struct AddressScan {
    enum class Outcome { kIncomplete, kComplete, kUnknownType, kEmptyName };
    Outcome outcome = Outcome::kIncomplete;
    Destination destination;  // when complete
    std::size_t end = 0;      // the offset just past the port, when complete
};
AddressScan ScanAddress(std::span<const std::uint8_t> message, std::size_t offset);

}  // namespace warden::socks
