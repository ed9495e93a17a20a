// The messages warden sends: to the node (SOCKS5 with RFC 1929) and back to local programs.
#pragma once

#include <string_view>

#include "warden/socks/client_request_parser.h"
#include "warden/socks/wire.h"

namespace warden::socks {

// Offers both "no authentication" and username/password: the node picks.
Bytes NodeGreeting();

// RFC 1929: VER=1 ULEN USER PLEN PASSWORD. Each text is at most kMaxText bytes.
Bytes AuthRequest(std::string_view user, std::string_view password);

// ATYP ADDR PORT, appended to `message`: the address field of a SOCKS5 request, which a
// Shadowsocks request carries as well.
void AppendAddress(Bytes& message, const Destination& destination);

// VER=5 CMD=CONNECT RSV ATYP ADDR PORT; a name goes as a name (ATYP 3), never resolved here.
Bytes ConnectRequest(const Destination& destination);

// VER=5 CMD=BIND RSV ATYP=1 0.0.0.0 PORT=0: a port on the node for one connection from anywhere.
Bytes BindRequest();

// The answer to a SOCKS5 greeting.
Bytes MethodChoice(Method method);

// The answer to a local program's request, in its own protocol. Bound address and port are
// zero: a program asking to CONNECT has no use for them.
Bytes ClientReply(Protocol protocol, Reply reply);

// What a local program gets for a request warden could not parse; empty when it did not speak
// SOCKS at all (then there is no protocol to answer in, and the connection just closes).
Bytes Rejection(Protocol protocol, ClientRequestParser::Fault fault);

}  // namespace warden::socks
