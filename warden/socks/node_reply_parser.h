// Parses the node's answers to warden's three messages (integers big-endian):
//   method choice   VER=5 METHOD
//   RFC 1929        VER=1 STATUS                      STATUS 0: accepted
//   connect reply   VER=5 REP RSV ATYP ADDR PORT[2]   ADDR: IPv4[4] | LEN NAME[LEN] | IPv6[16]
//                   (a BIND request is answered in the same form, twice)
// A failed connect reply is complete at its REP byte: nothing after it matters, and some nodes
// close without sending the rest. Bytes behind a successful reply are the destination's first
// data; Feed says how many bytes the reply used so that the caller relays the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "warden/socks/message_assembler.h"
#include "warden/socks/wire.h"

namespace warden::socks {

class NodeReplyParser {
  public:
    enum class Stage { kMethodChoice, kAuthStatus, kConnectReply };
    enum class Event { kNeedMore, kDone, kInvalid };
    struct Result {
        Event event;
        std::size_t consumed;
    };

    explicit NodeReplyParser(Stage stage) : stage_(stage) {}

    Result Feed(std::span<const std::uint8_t> input);

    // The chosen method, the RFC 1929 status or the reply code; valid after kDone.
    std::uint8_t code() const { return code_; }
    // The address the node bound, after a successful connect reply.
    const Destination& bound() const { return bound_; }

  private:
    struct Scan {
        Event event;
        std::size_t size;  // of the whole reply, once it is complete
    };
    Scan ScanPair(std::span<const std::uint8_t> reply, std::uint8_t version);
    Scan ScanConnectReply(std::span<const std::uint8_t> reply);

    // A connect reply naming the longest possible host.
    static constexpr std::size_t kMaxReply = 4 + 1 + kMaxText + 2;

    Stage stage_;
    MessageAssembler message_{kMaxReply};
    std::uint8_t code_ = 0;
    Destination bound_;
};

}  // namespace warden::socks
