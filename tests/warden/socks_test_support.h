// Feeding helpers for the SOCKS parser tests: bytes arrive in pieces of any size, as reads
// from a socket deliver them.
#pragma once

#include <algorithm>
#include <span>
#include <vector>

#include "warden/socks/wire.h"

namespace warden::socks {

template <typename Event>
struct Fed {
    std::vector<Event> events;  // every event but kNeedMore, in order
    std::size_t consumed = 0;   // bytes the parser used up to its last event
};

// Feeds `bytes` in pieces of `piece` bytes until the parser reports `last` or kInvalid.
template <typename Parser, typename Event = typename Parser::Event>
Fed<Event> FeedInPieces(Parser& parser, std::span<const std::uint8_t> bytes, std::size_t piece, Event last) {
    Fed<Event> fed;
    std::size_t used = 0;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        auto chunk = bytes.subspan(at, std::min(piece, bytes.size() - at));
        while (!chunk.empty()) {
            const auto [event, consumed] = parser.Feed(chunk);
            chunk = chunk.subspan(consumed);
            used += consumed;
            if (event == Event::kNeedMore)
                continue;
            fed.events.push_back(event);
            fed.consumed = used;
            if (event == last || event == Event::kInvalid)
                return fed;
        }
    }
    return fed;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline Bytes Text(std::string_view text) {
    return {text.begin(), text.end()};
}

}  // namespace warden::socks
