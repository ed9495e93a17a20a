// Parses what a local program sends to open a tunnel (integers big-endian):
//   SOCKS4   VN=4 CD PORT[2] IP[4] USERID... 00
//   SOCKS4a  as SOCKS4 with IP 0.0.0.x (x != 0), followed by NAME... 00
//   SOCKS5   VER=5 NMETHODS METHODS[NMETHODS]        answered with the chosen method, then
//            VER=5 CMD RSV ATYP ADDR PORT[2]         ADDR: IPv4[4] | LEN NAME[LEN] | IPv6[16]
// Feed bytes as they arrive. The parser stops at each event and says how many bytes it used:
// whatever a program sends early, behind its request, stays the caller's to relay.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "warden/socks/message_assembler.h"
#include "warden/socks/wire.h"

namespace warden::socks {

class ClientRequestParser {
  public:
    enum class Event { kNeedMore, kGreeting, kRequest, kInvalid };
    enum class Fault { kNone, kUnknownVersion, kNoMethods, kMalformed, kAddressTypeNotSupported };
    struct Result {
        Event event;
        std::size_t consumed;
    };

    Result Feed(std::span<const std::uint8_t> input);

    Protocol protocol() const { return protocol_; }
    bool offers_no_auth() const { return offers_no_auth_; }          // after kGreeting
    std::uint8_t command() const { return command_; }                // after kRequest
    const Destination& destination() const { return destination_; }  // after kRequest
    Fault fault() const { return fault_; }                           // after kInvalid

  private:
    struct Scan {
        Event event;
        std::size_t size;  // of the whole message, once it is complete
    };
    Scan ScanFirstMessage(std::span<const std::uint8_t> message);
    Scan ScanSocks4(std::span<const std::uint8_t> message);
    Scan ScanSocks5Greeting(std::span<const std::uint8_t> message);
    Scan ScanSocks5Request(std::span<const std::uint8_t> message);
    Scan Invalid(Fault fault);

    // SOCKS4a with the longest user id and name: header, two texts and their zeros.
    static constexpr std::size_t kMaxMessage = 8 + 2 * (kMaxText + 1);

    enum class Stage { kFirstMessage, kSocks5Request, kFinished };
    Stage stage_ = Stage::kFirstMessage;
    MessageAssembler message_{kMaxMessage};
    Protocol protocol_ = Protocol::kSocks5;
    bool offers_no_auth_ = false;
    std::uint8_t command_ = 0;
    Destination destination_;
    Fault fault_ = Fault::kNone;
};

}  // namespace warden::socks
