#include "warden/socks/node_reply_parser.h"

#include "warden/socks/byte_reading.h"

namespace warden::socks {

NodeReplyParser::Result NodeReplyParser::Feed(std::span<const std::uint8_t> input) {
    const std::size_t taken = message_.Append(input);
    Scan scan{Event::kInvalid, 0};
    switch (stage_) {
        case Stage::kMethodChoice:
            scan = ScanPair(message_.Bytes(), kVersion5);
            break;
        case Stage::kAuthStatus:
            scan = ScanPair(message_.Bytes(), kAuthVersion);
            break;
        case Stage::kConnectReply:
            scan = ScanConnectReply(message_.Bytes());
            break;
    }
    if (scan.event != Event::kDone)
        return {scan.event, taken};
    return {Event::kDone, message_.Finish(scan.size)};
}

NodeReplyParser::Scan NodeReplyParser::ScanPair(std::span<const std::uint8_t> reply, std::uint8_t version) {
    if (reply.empty())
        return {Event::kNeedMore, 0};
    if (reply[0] != version)
        return {Event::kInvalid, 0};
    if (reply.size() < 2)
        return {Event::kNeedMore, 0};
    code_ = reply[1];
    return {Event::kDone, 2};
}

NodeReplyParser::Scan NodeReplyParser::ScanConnectReply(std::span<const std::uint8_t> reply) {
    const Scan head = ScanPair(reply, kVersion5);
    if (head.event != Event::kDone || code_ != static_cast<std::uint8_t>(Reply::kSucceeded))
        return head;

    constexpr std::size_t kTypeOffset = 3;  // VER REP RSV ATYP
    const AddressScan address = ScanAddress(reply, kTypeOffset);
    switch (address.outcome) {
        case AddressScan::Outcome::kIncomplete:
            return {Event::kNeedMore, 0};
        case AddressScan::Outcome::kComplete:
            bound_ = address.destination;
            return {Event::kDone, address.end};
        case AddressScan::Outcome::kUnknownType:
        case AddressScan::Outcome::kEmptyName:
            break;
    }
    return {Event::kInvalid, 0};
}

}  // namespace warden::socks
