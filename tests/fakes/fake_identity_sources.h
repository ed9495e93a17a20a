// The machine's adapters and volume as the test sets them.
#pragma once

#include "directory/identity_sources.h"

class FakeInterfaceTable final : public InterfaceTable {
  public:
    std::vector<InterfaceRow> rows;
    std::vector<InterfaceRow> ReadInterfaceTable() const override { return rows; }
};

class FakeAdapterSources final : public AdapterSources {
  public:
    std::optional<NetbiosScan> netbios;  // nullopt: NetBIOS is missing
    std::optional<SnmpScan> snmp;        // nullopt: SNMP is missing
    int snmpScans = 0;

    std::optional<NetbiosScan> ScanNetbios() override { return netbios; }
    std::optional<SnmpScan> ScanSnmp() override {
        ++snmpScans;
        return snmp;
    }
};

class FakeVolumeInfo final : public VolumeInfo {
  public:
    std::optional<std::uint32_t> serial;
    mutable std::vector<char> asked;
    std::optional<std::uint32_t> VolumeSerial(char letter) const override {
        asked.push_back(letter);
        return serial;
    }
};
