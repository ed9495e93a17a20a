// The machine identity's sources for real under Wine: the interface table and NetBIOS against
// what Linux says of its network interfaces, the SNMP walk's end, the volume serial number, and
// the identifier they give.
#include "directory/identity_sources_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "directory/machine_identity.h"
#include "directory/md5.h"
#include "tests/fakes/fake_settings_store.h"

using ::testing::IsSubsetOf;
using ::testing::UnorderedElementsAreArray;

namespace {

std::string FirstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// The hardware addresses of the Linux Ethernet interfaces (Z: is the Linux root), as
// "02-FC-00-00-00-01".
std::set<std::string> LinuxEthernetAddresses() {
    std::set<std::string> addresses;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Z:\\sys\\class\\net\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return addresses;
    do {
        const std::string folder = std::string("Z:\\sys\\class\\net\\") + found.cFileName + "\\";
        if (found.cFileName[0] == '.' || FirstLine(folder + "type") != "1")  // ARPHRD_ETHER
            continue;
        std::string address = FirstLine(folder + "address");
        std::transform(address.begin(), address.end(), address.begin(),
                       [](unsigned char c) { return c == ':' ? '-' : char(std::toupper(c)); });
        addresses.insert(address);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return addresses;
}

TEST(WinIdentitySources, TheInterfaceTablesEthernetRowsAreTheMachinesEthernetInterfaces) {
    const std::set<std::string> linux = LinuxEthernetAddresses();
    ASSERT_FALSE(linux.empty());
    EXPECT_THAT(ListInterfaceAddresses(WinInterfaceTable().ReadInterfaceTable()), UnorderedElementsAreArray(linux));
}

TEST(WinIdentitySources, NetbiosNamesAnEthernetAdapterOfThisMachine) {
    WinAdapterSources sources;
    const std::optional<NetbiosScan> scan = sources.ScanNetbios();
    ASSERT_TRUE(scan);
    EXPECT_GE(scan->lanaCount, 1);
    ASSERT_FALSE(scan->addresses.empty());
    std::vector<std::string> found;
    for (const HardwareAddress& address : scan->addresses)
        found.push_back(FormatAdapterAddress(address));
    EXPECT_THAT(found, IsSubsetOf(LinuxEthernetAddresses()));
    EXPECT_TRUE(sources.ScanNetbios());  // the library stays loaded between scans
}

// Wine's agent leaves the interfaces table at once when walked from the column roots; the walk
// must end cleanly there, as on an agent that stops early.
TEST(WinIdentitySources, TheSnmpWalkEndsWithOnlyRowsOfTheInterfacesTable) {
    const std::optional<SnmpScan> scan = WinAdapterSources().ScanSnmp();
    ASSERT_TRUE(scan);
    EXPECT_GE(scan->interfaceCount, 0);
    EXPECT_LE(scan->rows.size(), 1024u);
    std::vector<std::string> addresses;
    for (const InterfaceRow& row : scan->rows)
        if (row.type == kEthernetType && row.address.size() == 6)
            addresses.push_back(FormatAdapterAddress(row.address));
    EXPECT_THAT(addresses, IsSubsetOf(LinuxEthernetAddresses()));
}

TEST(WinIdentitySources, TheMachineIdComesFromAnAdapterOfThisMachineAndStaysTheSame) {
    WinInterfaceTable interfaces;
    WinAdapterSources adapters;
    FakeSettingsStore settings;
    const std::string id = GetMachineId({interfaces, adapters}, settings);
    EXPECT_EQ(id.size(), 24u);
    EXPECT_NE(id, kFallbackMachineId);
    std::set<std::string> digests;
    for (const std::string& address : LinuxEthernetAddresses())
        digests.insert(StrMD5Hex(address));
    EXPECT_TRUE(digests.contains(settings.Raw("Config", "Pass").value_or("")));
    EXPECT_EQ(GetMachineId({interfaces, adapters}, settings), id);
    EXPECT_EQ(settings.Writes(), 1);
}

TEST(WinIdentitySources, ReadsTheSerialNumberOfAVolumeThatExists) {
    const WinVolumeInfo volumes;
    DWORD serial = 0;
    ASSERT_TRUE(GetVolumeInformationA("C:\\", nullptr, 0, &serial, nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(volumes.VolumeSerial('c'), serial);
    EXPECT_EQ(GetVolumeSerial(volumes, 'c').size(), 8u);
    EXPECT_EQ(volumes.VolumeSerial('q'), std::nullopt);  // no such drive
    EXPECT_EQ(GetVolumeSerial(volumes, 'q'), "Error");
}

}  // namespace
