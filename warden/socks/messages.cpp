#include "warden/socks/messages.h"

#include <type_traits>

namespace warden::socks {

namespace {

void AppendText(Bytes& message, std::string_view text) {
    message.push_back(static_cast<std::uint8_t>(text.size()));
    message.insert(message.end(), text.begin(), text.end());
}

void AppendPort(Bytes& message, std::uint16_t port) {
    message.push_back(static_cast<std::uint8_t>(port >> 8));
    message.push_back(static_cast<std::uint8_t>(port & 0xFF));
}

void AppendHost(Bytes& message, const Destination& destination) {
    std::visit(
        [&message](const auto& host) {
            using Host = std::decay_t<decltype(host)>;
            if constexpr (std::is_same_v<Host, std::string>) {
                message.push_back(static_cast<std::uint8_t>(AddressType::kDomainName));
                AppendText(message, host);
            } else {
                message.push_back(
                    static_cast<std::uint8_t>(std::is_same_v<Host, Ipv4> ? AddressType::kIpv4 : AddressType::kIpv6));
                message.insert(message.end(), host.begin(), host.end());
            }
        },
        destination.host);
}

}  // namespace

Bytes NodeGreeting() {
    return {kVersion5, 2, static_cast<std::uint8_t>(Method::kNoAuth), static_cast<std::uint8_t>(Method::kUserPassword)};
}

Bytes AuthRequest(std::string_view user, std::string_view password) {
    Bytes message{kAuthVersion};
    AppendText(message, user);
    AppendText(message, password);
    return message;
}

void AppendAddress(Bytes& message, const Destination& destination) {
    AppendHost(message, destination);
    AppendPort(message, destination.port);
}

Bytes ConnectRequest(const Destination& destination) {
    Bytes message{kVersion5, kCommandConnect, 0};
    AppendAddress(message, destination);
    return message;
}

Bytes BindRequest() {
    return {kVersion5, kCommandBind, 0, static_cast<std::uint8_t>(AddressType::kIpv4), 0, 0, 0, 0, 0, 0};
}

Bytes MethodChoice(Method method) {
    return {kVersion5, static_cast<std::uint8_t>(method)};
}

Bytes ClientReply(Protocol protocol, Reply reply) {
    if (protocol == Protocol::kSocks5) {
        return {kVersion5, static_cast<std::uint8_t>(reply),
                0,         static_cast<std::uint8_t>(AddressType::kIpv4),
                0,         0,
                0,         0,
                0,         0};
    }
    const std::uint8_t code = reply == Reply::kSucceeded ? kSocks4Granted : kSocks4Rejected;
    return {0, code, 0, 0, 0, 0, 0, 0};
}

Bytes Rejection(Protocol protocol, ClientRequestParser::Fault fault) {
    using Fault = ClientRequestParser::Fault;
    switch (fault) {
        case Fault::kNoMethods:
            return MethodChoice(Method::kNoneAcceptable);
        case Fault::kAddressTypeNotSupported:
            return ClientReply(protocol, Reply::kAddressTypeNotSupported);
        case Fault::kMalformed:
            return ClientReply(protocol, Reply::kGeneralFailure);
        case Fault::kNone:
        case Fault::kUnknownVersion:
            break;
    }
    return {};
}

}  // namespace warden::socks
