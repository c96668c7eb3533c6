#include "platform/ContractTest.h"
#include "platform/Text.h"

#include <memory>

using namespace platform;

namespace {

class DevicesContract : public ContractTest {};

TEST_F(DevicesContract, AdapterListIsFilledOrEmpty)
{
    std::vector<NetworkAdapter> adapters;
    ASSERT_EQ(machine().devices.adapters(adapters), ErrorSuccess);
    for (const auto& adapter : adapters) {
        ASSERT_FALSE(adapter.adapterName.empty());
        EXPECT_EQ(adapter.adapterName.front(), L'{') << toUtf8(adapter.adapterName);
    }
}

TEST_F(DevicesContract, UnknownAdapterHasNoDriverKey)
{
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(machine().devices.openAdapterDriverKey(L"{00000000-0000-0000-0000-000000004711}", key), ErrorNotFound);
    EXPECT_FALSE(key);
}

// Wine's network class holds no device unless one is created: the loop may run zero times there; the
// writing itself is pinned on the simulated PC.
TEST_F(DevicesContract, PresentDevicesDriverKeysTakePnPCapabilitiesCallPathOnly)
{
    std::vector<std::wstring> devices;
    ASSERT_EQ(machine().devices.presentNetworkDevices(devices), ErrorSuccess);
    for (const auto& device : devices) {
        std::unique_ptr<RegistryKey> key;
        ASSERT_EQ(machine().devices.openAdapterDriverKey(device, key), ErrorSuccess) << toUtf8(device);
        RegValue id;
        ASSERT_EQ(key->queryValue(L"NetCfgInstanceId", id), ErrorSuccess);
        EXPECT_TRUE(equalsIgnoreCase(id.asString(), device));
    }
}

// Wine's spooler reports no printer at all.
TEST_F(DevicesContract, PrinterEnumerationCallPathOnly)
{
    std::vector<PrinterInfo> printers;
    ASSERT_EQ(machine().devices.printers(printers), ErrorSuccess);
    for (const auto& printer : printers)
        EXPECT_FALSE(printer.name.empty());
}

// Wine's disk driver may not answer the storage property query; a real answer must come with success.
TEST_F(DevicesContract, SeekPenaltyOfTheSystemDriveCallPathOnly)
{
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    bool incursSeekPenalty = false;
    const Status status = machine().devices.seekPenalty(directory.substr(0, 2), incursSeekPenalty);
    EXPECT_NE(status, ErrorCallNotImplemented);
}

TEST_F(DevicesContract, SeekPenaltyOfAMissingDriveFails)
{
    bool incursSeekPenalty = false;
    EXPECT_NE(machine().devices.seekPenalty(L"Q:", incursSeekPenalty), ErrorSuccess);
}

// Wine's disk driver may not answer these property queries; a drive that is not there never answers.
TEST_F(DevicesContract, TrimAndRotationRateCallPathOnly)
{
    std::wstring directory;
    ASSERT_EQ(machine().systemInfo.systemDirectory(directory), ErrorSuccess);
    bool enabled = false;
    std::uint16_t rate = 0;
    EXPECT_NE(machine().devices.trimEnabled(directory.substr(0, 2), enabled), ErrorCallNotImplemented);
    EXPECT_NE(machine().devices.rotationRate(directory.substr(0, 2), rate), ErrorCallNotImplemented);
    EXPECT_NE(machine().devices.trimEnabled(L"Q:", enabled), ErrorSuccess);
    EXPECT_NE(machine().devices.rotationRate(L"Q:", rate), ErrorSuccess);
}

// A stock machine (and Wine) has no biometric device; where one is present it comes with its instance id.
TEST_F(DevicesContract, PresentDevicesOfAClassCallPathOnly)
{
    std::vector<std::wstring> ids = {L"stale"};
    ASSERT_EQ(machine().devices.presentDevicesOfClass(L"{53D29EF7-377C-4D14-864B-EB3A85769359}", ids), ErrorSuccess);
    for (const auto& id : ids)
        EXPECT_FALSE(id.empty() || id == L"stale");
}

TEST_F(DevicesContract, PresentDevicesOfAMalformedClassFail)
{
    std::vector<std::wstring> ids;
    EXPECT_EQ(machine().devices.presentDevicesOfClass(L"Biometric", ids), ErrorInvalidParameter);
    EXPECT_TRUE(ids.empty());
}

} // namespace
