#include "warden/socks/byte_reading.h"

#include <algorithm>

namespace warden::socks {

namespace {

AddressScan Failed(AddressScan::Outcome outcome) {
    AddressScan scan;
    scan.outcome = outcome;
    return scan;
}

// The port is the last two bytes before `end`.
AddressScan Complete(std::span<const std::uint8_t> message, decltype(Destination::host) host, std::size_t end) {
    AddressScan scan;
    scan.outcome = AddressScan::Outcome::kComplete;
    scan.destination = {std::move(host), ReadPort(message, end - 2)};
    scan.end = end;
    return scan;
}

template <typename Ip>
AddressScan ScanIp(std::span<const std::uint8_t> message, std::size_t offset) {
    const std::size_t end = offset + sizeof(Ip) + 2;
    if (message.size() < end)
        return {};
    Ip ip;
    std::ranges::copy(message.subspan(offset, ip.size()), ip.begin());
    return Complete(message, ip, end);
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
    if (message.size() <= offset)
        return {};
    const std::size_t address = offset + 1;
    switch (static_cast<AddressType>(message[offset])) {
        case AddressType::kIpv4:
            return ScanIp<Ipv4>(message, address);
        case AddressType::kIpv6:
            return ScanIp<Ipv6>(message, address);
        case AddressType::kDomainName: {
            if (message.size() <= address)
                return {};
            const std::size_t length = message[address];
            if (length == 0)
                return Failed(AddressScan::Outcome::kEmptyName);
            const std::size_t end = address + 1 + length + 2;
            if (message.size() < end)
                return {};
            return Complete(message, ReadText(message, address + 1, length), end);
        }
    }
    return Failed(AddressScan::Outcome::kUnknownType);
}

}  // namespace warden::socks
