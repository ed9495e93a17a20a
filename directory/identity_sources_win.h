// The machine identity's sources for real: the IP Helper interface table, NetBIOS (netapi32.dll)
// and the SNMP agent (inetmib1.dll with snmpapi.dll), each library loaded by name, and the
// volume serial number.
#pragma once

#include <windows.h>

#include "common/unique_handle_win.h"
#include "directory/identity_sources.h"

class WinInterfaceTable final : public InterfaceTable {
  public:
    std::vector<InterfaceRow> ReadInterfaceTable() const override;
};

class WinAdapterSources final : public AdapterSources {
  public:
    std::optional<NetbiosScan> ScanNetbios() override;
    std::optional<SnmpScan> ScanSnmp() override;

  private:
    using NetbiosFunction = UCHAR(APIENTRY*)(void* controlBlock);
    NetbiosFunction Netbios();

    // Loaded at the first scan and kept until the program ends; the SNMP libraries live for one
    // scan only.
    UniqueModule netapi_;
    NetbiosFunction netbios_ = nullptr;
};

class WinVolumeInfo final : public VolumeInfo {
  public:
    std::optional<std::uint32_t> VolumeSerial(char letter) const override;
};
