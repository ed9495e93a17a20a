#include "directory/machine_identity.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "directory/md5.h"
#include "tests/fakes/fake_identity_sources.h"
#include "tests/fakes/fake_settings_store.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const HardwareAddress kFirst{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
const HardwareAddress kSecond{0x02, 0xFC, 0x00, 0x00, 0x00, 0x01};
constexpr char kFirstText[] = "00-1A-2B-3C-4D-5E";
constexpr char kSecondText[] = "02-FC-00-00-00-01";
constexpr unsigned kWirelessType = 71;
constexpr unsigned kLoopbackType = 24;

TEST(MachineIdentity, FormatsAndConvertsAdapterAddresses) {
    EXPECT_EQ(FormatAdapterAddress(kFirst), kFirstText);
    EXPECT_EQ(HexToDecimalDigits(kFirstText), "000001100211031204130514");
    EXPECT_EQ(HexToDecimalDigits("0a"), "00");  // lower case is not a digit here
    EXPECT_EQ(HexToDecimalDigits("F9-"), "1509");
}

TEST(MachineIdentity, ListsTheEthernetRowsOfTheInterfaceTableOnly) {
    const std::vector<InterfaceRow> rows{
        {kLoopbackType, {}},           {kEthernetType, kFirst},
        {kWirelessType, kSecond},      {kEthernetType, {}},  // no address: nothing to list
        {kEthernetType, {0xAB, 0xCD}},
    };
    EXPECT_THAT(ListInterfaceAddresses(rows), ElementsAre(kFirstText, "AB-CD"));
}

TEST(MachineIdentity, ListsNetbiosAdaptersAndAsksSnmpOnlyWhenNetbiosFoundNoLana) {
    FakeAdapterSources sources;
    std::vector<std::string> list{"left over"};
    sources.netbios = NetbiosScan{2, {kFirst}};  // the second LANA did not answer
    sources.snmp = SnmpScan{1, {{kEthernetType, kSecond}}};
    EXPECT_EQ(ListAdapterAddresses(sources, list), 2);
    EXPECT_THAT(list, ElementsAre(kFirstText));
    EXPECT_EQ(sources.snmpScans, 0);

    sources.netbios = NetbiosScan{0, {}};
    sources.snmp = SnmpScan{5,
                            {{kEthernetType, kSecond},
                             {kWirelessType, kFirst},
                             {kEthernetType, {0, 0, 0, 0, 0, 0}},
                             {kEthernetType, {1, 2, 3}},  // too short to be an adapter address
                             {kEthernetType, {0, 0, 0, 0, 0, 7, 9}}}};
    EXPECT_EQ(ListAdapterAddresses(sources, list), 5);
    EXPECT_THAT(list, ElementsAre(kSecondText, "00-00-00-00-00-07"));

    sources.netbios.reset();
    sources.snmp.reset();
    EXPECT_EQ(ListAdapterAddresses(sources, list), -1);
    EXPECT_THAT(list, IsEmpty());
}

class MachineIdTest : public testing::Test {
  protected:
    std::string MachineId() { return GetMachineId({interfaces, adapters}, settings); }

    FakeInterfaceTable interfaces;
    FakeAdapterSources adapters;
    FakeSettingsStore settings;
};

TEST_F(MachineIdTest, AFirstRunStoresTheLastAdapterAndLaterRunsKeepItWithoutWriting) {
    interfaces.rows = {{kEthernetType, kFirst}, {kEthernetType, kSecond}};
    adapters.netbios = NetbiosScan{2, {kSecond, kFirst}};
    EXPECT_EQ(MachineId(), "000001100211031204130514");
    EXPECT_EQ(settings.Raw("Config", "Pass"), StrMD5Hex(kFirstText));
    EXPECT_EQ(settings.Writes(), 1);

    adapters.netbios = NetbiosScan{2, {kFirst, kSecond}};  // another order no longer matters
    EXPECT_EQ(MachineId(), "000001100211031204130514");
    EXPECT_EQ(settings.Writes(), 1);
}

TEST_F(MachineIdTest, AStoredAdapterThatIsGoneIsReplacedByTheLastAdapter) {
    settings.Seed("Config", "Pass", StrMD5Hex("AA-AA-AA-AA-AA-AA"));
    interfaces.rows = {{kEthernetType, kSecond}};
    adapters.netbios = NetbiosScan{1, {kSecond}};
    EXPECT_EQ(MachineId(), "000215120000000000000001");
    EXPECT_EQ(settings.Raw("Config", "Pass"), StrMD5Hex(kSecondText));
}

TEST_F(MachineIdTest, WithoutAnEthernetInterfaceOrAnAdapterTheFallbackIsUsedAndNothingWritten) {
    interfaces.rows = {{kWirelessType, kFirst}};
    adapters.netbios = NetbiosScan{1, {kFirst}};
    EXPECT_EQ(MachineId(), kFallbackMachineId);

    interfaces.rows = {{kEthernetType, kFirst}};
    adapters.netbios.reset();
    EXPECT_EQ(MachineId(), kFallbackMachineId);
    EXPECT_EQ(settings.Writes(), 0);
}

TEST(MachineIdentity, GivesTheVolumeSerialAsEightUpperCaseDigitsOrError) {
    FakeVolumeInfo volumes;
    volumes.serial = 0xABCD;
    EXPECT_EQ(GetVolumeSerial(volumes, 'c'), "0000ABCD");
    volumes.serial = 0x43000000;
    EXPECT_EQ(GetVolumeSerial(volumes, 'c'), "43000000");
    volumes.serial.reset();
    EXPECT_EQ(GetVolumeSerial(volumes, 'c'), "Error");
    EXPECT_THAT(volumes.asked, ElementsAre('c', 'c', 'c'));
}

}  // namespace
