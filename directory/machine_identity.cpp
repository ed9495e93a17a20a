#include "directory/machine_identity.h"

#include <algorithm>
#include <cstdio>

#include "directory/md5.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"

namespace {

constexpr std::size_t kAdapterAddressBytes = 6;

std::string HexBytes(const HardwareAddress& address, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof(pair), "%.2X", unsigned(address[i]));
        if (i > 0)
            text += '-';
        text += pair;
    }
    return text;
}

// A listed adapter has a full six-byte address that is not all zero.
bool IsListedAdapter(const InterfaceRow& row) {
    return row.type == kEthernetType && row.address.size() >= kAdapterAddressBytes &&
           std::any_of(row.address.begin(), row.address.begin() + kAdapterAddressBytes,
                       [](std::uint8_t byte) { return byte != 0; });
}

}  // namespace

std::string FormatAdapterAddress(const HardwareAddress& address) {
    HardwareAddress six = address;
    six.resize(kAdapterAddressBytes);
    return HexBytes(six, kAdapterAddressBytes);
}

std::vector<std::string> ListInterfaceAddresses(const std::vector<InterfaceRow>& rows) {
    std::vector<std::string> list;
    for (const InterfaceRow& row : rows)
        if (row.type == kEthernetType && !row.address.empty())
            list.push_back(HexBytes(row.address, row.address.size()));
    return list;
}

int ListAdapterAddresses(AdapterSources& sources, std::vector<std::string>& list) {
    list.clear();
    int result = -1;
    if (std::optional<NetbiosScan> netbios = sources.ScanNetbios()) {
        result = netbios->lanaCount;
        for (const HardwareAddress& address : netbios->addresses)
            list.push_back(FormatAdapterAddress(address));
    }
    if (result >= 1)
        return result;
    if (std::optional<SnmpScan> snmp = sources.ScanSnmp()) {
        result = snmp->interfaceCount;
        for (const InterfaceRow& row : snmp->rows)
            if (IsListedAdapter(row))
                list.push_back(FormatAdapterAddress(row.address));
    }
    return result;
}

std::string HexToDecimalDigits(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += '0';
            digits += c;
        } else if (c >= 'A' && c <= 'F') {
            digits += std::to_string(10 + (c - 'A'));
        }
    }
    return digits;
}

std::string GetMachineId(IdentitySources sources, SettingsStore& settings) {
    const std::vector<std::string> interfaces = ListInterfaceAddresses(sources.interfaces.ReadInterfaceTable());
    std::vector<std::string> adapters;
    ListAdapterAddresses(sources.adapters, adapters);
    if (interfaces.empty())
        return kFallbackMachineId;

    std::string chosen;
    const std::string stored = settings.ReadString(kConfig, kPass, "");
    if (!stored.empty()) {
        for (const std::string& address : interfaces)
            if (StrMD5Hex(address) == stored)
                chosen = address;  // the last match wins
    }
    if (chosen.empty() && !adapters.empty()) {
        chosen = adapters.back();
        settings.WriteString(kConfig, kPass, StrMD5Hex(chosen));
    }
    const std::string id = HexToDecimalDigits(chosen);
    return id.empty() ? kFallbackMachineId : id;
}

std::string GetVolumeSerial(const VolumeInfo& volumes, char letter) {
    const std::optional<std::uint32_t> serial = volumes.VolumeSerial(letter);
    if (!serial)
        return "Error";
    char text[9];
    std::snprintf(text, sizeof(text), "%8.8X", unsigned(*serial));
    return text;
}
