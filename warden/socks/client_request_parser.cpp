#include "warden/socks/client_request_parser.h"

#include <algorithm>

#include "warden/socks/byte_reading.h"

namespace warden::socks {

namespace {
using Event = ClientRequestParser::Event;
using Fault = ClientRequestParser::Fault;
}  // namespace

ClientRequestParser::Result ClientRequestParser::Feed(std::span<const std::uint8_t> input) {
    const std::size_t taken = message_.Append(input);
    const Scan scan =
        stage_ == Stage::kFirstMessage ? ScanFirstMessage(message_.Bytes()) : ScanSocks5Request(message_.Bytes());
    switch (scan.event) {
        case Event::kNeedMore:
        case Event::kInvalid:
            return {scan.event, taken};
        case Event::kGreeting:
            stage_ = Stage::kSocks5Request;
            break;
        case Event::kRequest:
            stage_ = Stage::kFinished;
            break;
    }
    return {scan.event, message_.Finish(scan.size)};
}

ClientRequestParser::Scan ClientRequestParser::ScanFirstMessage(std::span<const std::uint8_t> message) {
    if (message.empty())
        return {Event::kNeedMore, 0};
    switch (message[0]) {
        case kVersion4:
            protocol_ = Protocol::kSocks4;
            return ScanSocks4(message);
        case kVersion5:
            protocol_ = Protocol::kSocks5;
            return ScanSocks5Greeting(message);
        default:
            return Invalid(Fault::kUnknownVersion);
    }
}

ClientRequestParser::Scan ClientRequestParser::ScanSocks4(std::span<const std::uint8_t> message) {
    constexpr std::size_t kHeader = 8;  // VN CD PORT IP
    if (message.size() < kHeader)
        return {Event::kNeedMore, 0};
    const TextEnd user_end = FindTextEnd(message, kHeader);
    if (user_end.too_long)
        return Invalid(Fault::kMalformed);
    if (!user_end.found)
        return {Event::kNeedMore, 0};

    command_ = message[1];
    const std::uint16_t port = ReadPort(message, 2);
    const Ipv4 ip{message[4], message[5], message[6], message[7]};
    const bool names_host = ip[0] == 0 && ip[1] == 0 && ip[2] == 0 && ip[3] != 0;
    if (!names_host) {
        destination_ = {ip, port};
        return {Event::kRequest, user_end.at + 1};
    }

    protocol_ = Protocol::kSocks4a;
    const std::size_t name_start = user_end.at + 1;
    const TextEnd name_end = FindTextEnd(message, name_start);
    if (name_end.too_long)
        return Invalid(Fault::kMalformed);
    if (!name_end.found)
        return {Event::kNeedMore, 0};
    if (name_end.at == name_start)
        return Invalid(Fault::kMalformed);
    destination_ = {ReadText(message, name_start, name_end.at - name_start), port};
    return {Event::kRequest, name_end.at + 1};
}

ClientRequestParser::Scan ClientRequestParser::ScanSocks5Greeting(std::span<const std::uint8_t> message) {
    if (message.size() < 2)
        return {Event::kNeedMore, 0};
    const std::size_t method_count = message[1];
    if (method_count == 0)
        return Invalid(Fault::kNoMethods);
    const std::size_t size = 2 + method_count;
    if (message.size() < size)
        return {Event::kNeedMore, 0};
    const auto methods = message.subspan(2, method_count);
    offers_no_auth_ = std::ranges::find(methods, static_cast<std::uint8_t>(Method::kNoAuth)) != methods.end();
    return {Event::kGreeting, size};
}

ClientRequestParser::Scan ClientRequestParser::ScanSocks5Request(std::span<const std::uint8_t> message) {
    constexpr std::size_t kHeader = 4;  // VER CMD RSV ATYP
    if (message.size() < kHeader)
        return {Event::kNeedMore, 0};
    if (message[0] != kVersion5)
        return Invalid(Fault::kMalformed);
    command_ = message[1];

    const AddressScan address = ScanAddress(message, kHeader - 1);
    switch (address.outcome) {
        case AddressScan::Outcome::kIncomplete:
            return {Event::kNeedMore, 0};
        case AddressScan::Outcome::kUnknownType:
            return Invalid(Fault::kAddressTypeNotSupported);
        case AddressScan::Outcome::kEmptyName:
            return Invalid(Fault::kMalformed);
        case AddressScan::Outcome::kComplete:
            break;
    }
    destination_ = address.destination;
    return {Event::kRequest, address.end};
}

ClientRequestParser::Scan ClientRequestParser::Invalid(Fault fault) {
    fault_ = fault;
    stage_ = Stage::kFinished;
    return {Event::kInvalid, 0};
}

}  // namespace warden::socks
