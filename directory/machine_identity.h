// The machine identity every directory request carries: the identifier taken from one network
// adapter's hardware address (remembered across runs by its digest in Config/Pass), and the
// system volume's serial number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "directory/identity_sources.h"

class SettingsStore;

// When no adapter can be chosen.
inline constexpr char kFallbackMachineId[] = "999999999999999999999999";

// "00-1A-2B-3C-4D-5E": the first six bytes, in upper-case hexadecimal, joined by dashes.
std::string FormatAdapterAddress(const HardwareAddress& address);

// The addresses of the table's Ethernet rows, in table order; rows without an address give none.
std::vector<std::string> ListInterfaceAddresses(const std::vector<InterfaceRow>& rows);

// The adapters' addresses from NetBIOS, or from SNMP when NetBIOS enumerated no LANA: the
// number of LANAs (or the SNMP interface count), or -1 when both failed.
int ListAdapterAddresses(AdapterSources& sources, std::vector<std::string>& list);

// Every hexadecimal digit as two decimal digits ("0A" -> "0010"); anything else is dropped,
// lower-case letters included.
std::string HexToDecimalDigits(std::string_view text);

struct IdentitySources {
    const InterfaceTable& interfaces;
    AdapterSources& adapters;
};

// The identifier of this machine. The digest stored in Config/Pass is checked against the
// Ethernet interfaces; without a match the last adapter's address is chosen and stored.
std::string GetMachineId(IdentitySources sources, SettingsStore& settings);

// The serial number of the volume of drive `letter` as 8 upper-case hexadecimal digits, or
// "Error".
std::string GetVolumeSerial(const VolumeInfo& volumes, char letter);
