#include "warden/socks/byte_reading.h"

#include <algorithm>

namespace warden::socks {

namespace {

AddressScan Failed(AddressScan::Outcome outcome) {
    AddressScan scan;
    scan.outcome = outcome;
    return scan;
}

}  // namespace

TextEnd FindTextEnd(std::span<const std::uint8_t> message, std::size_t offset) {
    const auto rest = message.subspan(std::min(offset, message.size()));
    const auto searched = rest.first(std::min(rest.size(), kMaxText + 1));
    const auto zero = std::ranges::find(searched, std::uint8_t{0});
    if (zero != searched.end())
        return {.found = true, .at = offset + static_cast<std::size_t>(zero - searched.begin())};
    return {.too_long = searched.size() > kMaxText};
}

AddressScan ScanAddress(std::span<const std::uint8_t> message, std::size_t offset) {
    using Outcome = AddressScan::Outcome;
    if (message.size() <= offset)
        return {};
    const std::size_t address = offset + 1;
    AddressScan scan;
    switch (static_cast<AddressType>(message[offset])) {
        case AddressType::kIpv4: {
            scan.end = address + 4 + 2;
            if (message.size() < scan.end)
                return {};
            Ipv4 ip;
            std::ranges::copy(message.subspan(address, ip.size()), ip.begin());
            scan.destination.host = ip;
            break;
        }
        case AddressType::kIpv6: {
            scan.end = address + 16 + 2;
            if (message.size() < scan.end)
                return {};
            Ipv6 ip;
            std::ranges::copy(message.subspan(address, ip.size()), ip.begin());
            scan.destination.host = ip;
            break;
        }
        case AddressType::kDomainName: {
            if (message.size() <= address)
                return {};
            const std::size_t length = message[address];
            if (length == 0)
                return Failed(Outcome::kEmptyName);
            scan.end = address + 1 + length + 2;
            if (message.size() < scan.end)
                return {};
            scan.destination.host = ReadText(message, address + 1, length);
            break;
        }
        default:
            return Failed(Outcome::kUnknownType);
    }
    scan.destination.port = ReadPort(message, scan.end - 2);
    scan.outcome = Outcome::kComplete;
    return scan;
}

}  // namespace warden::socks
