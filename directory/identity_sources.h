// The ports through which the machine identity reads the hardware: the interface table, the
// adapters that NetBIOS and SNMP report, and the system volume's serial number.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

using HardwareAddress = std::vector<std::uint8_t>;

// One row of the interface table.
struct InterfaceRow {
    unsigned type = 0;  // 6: Ethernet
    HardwareAddress address;
};

inline constexpr unsigned kEthernetType = 6;

class InterfaceTable {
  public:
    virtual ~InterfaceTable() = default;
    // The rows in table order; empty when the table cannot be read.
    virtual std::vector<InterfaceRow> ReadInterfaceTable() const = 0;
};

// What NetBIOS found: how many LANAs it enumerated, and the address of each whose reset and
// status query succeeded, in enumeration order.
struct NetbiosScan {
    int lanaCount = 0;
    std::vector<HardwareAddress> addresses;
};

// What the SNMP interfaces table holds: its interface count and the rows walked.
struct SnmpScan {
    int interfaceCount = 0;
    std::vector<InterfaceRow> rows;
};

class AdapterSources {
  public:
    virtual ~AdapterSources() = default;
    // nullopt when NetBIOS is missing or cannot enumerate its LANAs.
    virtual std::optional<NetbiosScan> ScanNetbios() = 0;
    // nullopt when the SNMP agent is missing or does not answer with the interface count.
    virtual std::optional<SnmpScan> ScanSnmp() = 0;
};

class VolumeInfo {
  public:
    virtual ~VolumeInfo() = default;
    // The serial number of the volume of drive `letter`; nullopt when it cannot be read.
    virtual std::optional<std::uint32_t> VolumeSerial(char letter) const = 0;
};
