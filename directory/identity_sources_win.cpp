#include "directory/identity_sources_win.h"

#include <iphlpapi.h>
#include <nb30.h>
#include <snmp.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

template <typename Function>
Function ProcOf(const UniqueModule& module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module.Get(), name))) : nullptr;
}

constexpr int kMaxSnmpRows = 1024;  // an agent that never ends its table costs this much at most

// The MIB-II objects the SNMP pass asks for.
constexpr std::array<UINT, 8> kIfNumber{1, 3, 6, 1, 2, 1, 2, 1};
constexpr std::array<UINT, 10> kIfTypeColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 3};
constexpr std::array<UINT, 10> kIfPhysAddressColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 6};

// The SNMP utilities take identifiers they only read as non-const.
template <std::size_t N>
AsnObjectIdentifier Oid(const std::array<UINT, N>& ids) {
    return {UINT(N), const_cast<UINT*>(ids.data())};
}

// The functions of one SNMP pass, from the agent and the SNMP utility library.
struct SnmpLibrary {
    using OidCpy = SNMPAPI(SNMP_FUNC_TYPE*)(AsnObjectIdentifier*, AsnObjectIdentifier*);
    using OidNCmp = SNMPAPI(SNMP_FUNC_TYPE*)(AsnObjectIdentifier*, AsnObjectIdentifier*, UINT);
    using VarBindFree = VOID(SNMP_FUNC_TYPE*)(SnmpVarBind*);

    UniqueModule snmpapi{LoadLibraryA("snmpapi.dll")};
    UniqueModule agent{LoadLibraryA("inetmib1.dll")};
    PFNSNMPEXTENSIONINIT init = ProcOf<PFNSNMPEXTENSIONINIT>(agent, "SnmpExtensionInit");
    PFNSNMPEXTENSIONQUERY query = ProcOf<PFNSNMPEXTENSIONQUERY>(agent, "SnmpExtensionQuery");
    OidCpy oidCpy = ProcOf<OidCpy>(snmpapi, "SnmpUtilOidCpy");
    OidNCmp oidNCmp = ProcOf<OidNCmp>(snmpapi, "SnmpUtilOidNCmp");
    VarBindFree varBindFree = ProcOf<VarBindFree>(snmpapi, "SnmpUtilVarBindFree");

    bool Loaded() const { return init && query && oidCpy && oidNCmp && varBindFree; }

    // GET-NEXT on every binding of the list; false when the agent failed or reported an error.
    bool GetNext(SnmpVarBindList& list) const {
        AsnInteger32 status = 0, index = 0;
        return query(SNMP_PDU_GETNEXT, &list, &status, &index) && status == SNMP_ERRORSTATUS_NOERROR;
    }
};

// The variable bindings of one request, freed through the library that allocated them.
template <std::size_t N>
struct VarBinds {
    explicit VarBinds(const SnmpLibrary& library) : library(library) {}
    ~VarBinds() {
        for (SnmpVarBind& bind : binds)
            library.varBindFree(&bind);
    }
    VarBinds(const VarBinds&) = delete;
    VarBinds& operator=(const VarBinds&) = delete;
    SnmpVarBindList List() { return {binds.data(), UINT(N)}; }

    const SnmpLibrary& library;
    std::array<SnmpVarBind, N> binds{};
};

}  // namespace

std::vector<InterfaceRow> WinInterfaceTable::ReadInterfaceTable() const {
    ULONG size = 0;
    GetIfTable(nullptr, &size, TRUE);
    if (size < sizeof(MIB_IFTABLE))  // not even one row
        return {};
    std::vector<BYTE> buffer(size);
    auto* table = reinterpret_cast<MIB_IFTABLE*>(buffer.data());
    if (GetIfTable(table, &size, TRUE) != NO_ERROR)
        return {};
    std::vector<InterfaceRow> rows;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_IFROW& row = table->table[i];
        const DWORD length = std::min<DWORD>(row.dwPhysAddrLen, MAXLEN_PHYSADDR);
        rows.push_back({unsigned(row.dwType), HardwareAddress(row.bPhysAddr, row.bPhysAddr + length)});
    }
    return rows;
}

WinAdapterSources::NetbiosFunction WinAdapterSources::Netbios() {
    if (!netapi_) {
        netapi_.Reset(LoadLibraryA("netapi32.dll"));
        netbios_ = ProcOf<NetbiosFunction>(netapi_, "Netbios");
    }
    return netbios_;
}

std::optional<NetbiosScan> WinAdapterSources::ScanNetbios() {
    NetbiosFunction netbios = Netbios();
    if (!netbios)
        return std::nullopt;
    LANA_ENUM lanas{};
    NCB control{};
    control.ncb_command = NCBENUM;
    control.ncb_buffer = reinterpret_cast<PUCHAR>(&lanas);
    control.ncb_length = sizeof(lanas);
    if (netbios(&control) != NRC_GOODRET)
        return std::nullopt;

    NetbiosScan scan;
    scan.lanaCount = lanas.length;
    for (UCHAR i = 0; i < lanas.length && i < MAX_LANA + 1; ++i) {
        control = NCB{};
        control.ncb_command = NCBRESET;
        control.ncb_lana_num = lanas.lana[i];
        if (netbios(&control) != NRC_GOODRET)
            continue;
        // The local adapter's status, asked by the name "*".
        struct {
            ADAPTER_STATUS adapter;
            NAME_BUFFER names[30];
        } status{};
        control = NCB{};
        control.ncb_command = NCBASTAT;
        control.ncb_lana_num = lanas.lana[i];
        std::memset(control.ncb_callname, ' ', NCBNAMSZ);
        control.ncb_callname[0] = '*';
        control.ncb_buffer = reinterpret_cast<PUCHAR>(&status);
        control.ncb_length = sizeof(status);
        if (netbios(&control) == NRC_GOODRET)
            scan.addresses.emplace_back(status.adapter.adapter_address, status.adapter.adapter_address + 6);
    }
    return scan;
}

std::optional<SnmpScan> WinAdapterSources::ScanSnmp() {
    const SnmpLibrary library;
    if (!library.Loaded())
        return std::nullopt;
    HANDLE trapEvent = nullptr;
    AsnObjectIdentifier region{};
    if (!library.init(GetTickCount(), &trapEvent, &region))
        return std::nullopt;

    SnmpScan scan;
    {
        VarBinds<1> count(library);
        AsnObjectIdentifier ifNumber = Oid(kIfNumber);
        library.oidCpy(&count.binds[0].name, &ifNumber);
        SnmpVarBindList list = count.List();
        if (!library.GetNext(list))
            return std::nullopt;
        scan.interfaceCount = count.binds[0].value.asnValue.number;
    }

    // Both columns at once, row by row, until either leaves its column.
    AsnObjectIdentifier typeColumn = Oid(kIfTypeColumn), addressColumn = Oid(kIfPhysAddressColumn);
    VarBinds<2> row(library);
    library.oidCpy(&row.binds[0].name, &typeColumn);
    library.oidCpy(&row.binds[1].name, &addressColumn);
    SnmpVarBindList list = row.List();
    while (scan.rows.size() < kMaxSnmpRows && library.GetNext(list) &&
           library.oidNCmp(&row.binds[0].name, &typeColumn, typeColumn.idLength) == 0 &&
           library.oidNCmp(&row.binds[1].name, &addressColumn, addressColumn.idLength) == 0) {
        const AsnOctetString& address = row.binds[1].value.asnValue.address;
        scan.rows.push_back(
            {unsigned(row.binds[0].value.asnValue.number),
             address.stream ? HardwareAddress(address.stream, address.stream + address.length) : HardwareAddress()});
    }
    return scan;
}

std::optional<std::uint32_t> WinVolumeInfo::VolumeSerial(char letter) const {
    const char root[] = {letter, ':', '\\', '\0'};
    DWORD serial = 0;
    if (!GetVolumeInformationA(root, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0))
        return std::nullopt;
    return serial;
}
