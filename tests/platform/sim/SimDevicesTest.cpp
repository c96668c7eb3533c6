#include "platform/Text.h"
#include "platform/sim/ProfileMachine.h"

using namespace platform;

namespace {

const char* const kEthernet = "{5A3E2C1B-7D4F-4E21-9B8A-0C6D5E4F3A21}";
const char* const kWifi = "{8C1D2E3F-4A5B-4C6D-8E7F-9A0B1C2D3E4F}";
const char* const kMiniport = "{78032B7E-4968-42D3-9F37-287EA86C0AAA}";
const char* const kUnplugged = "{0F1E2D3C-4B5A-4968-8776-A5B4C3D2E1F0}";
const char* const kClass = "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";

nlohmann::json devicesProfile()
{
    return {
        {"system", {{"systemDirectory", "C:\\Windows\\system32"}}},
        {"adapters",
         {{{"name", kEthernet}, {"description", "Realtek PCIe GbE Family Controller"}},
          {{"name", kWifi}, {"description", "Intel(R) Wi-Fi 6 AX201 160MHz"}},
          {{"name", kMiniport}, {"description", "WAN Miniport (IP)"}, {"ipv4", false}},
          {{"name", kUnplugged}, {"description", "ASIX AX88179 USB 3.0 to Gigabit Ethernet"}, {"present", false}}}},
        {"registry",
         {{std::string(kClass) + "\\0001", {{"NetCfgInstanceId", kEthernet}, {"DriverDesc", "Realtek"}}},
          {std::string(kClass) + "\\0002", {{"NetCfgInstanceId", kWifi}, {"PnPCapabilities", 0}}},
          {std::string(kClass) + "\\0003", {{"NetCfgInstanceId", kMiniport}}},
          {std::string(kClass) + "\\0004", {{"NetCfgInstanceId", kUnplugged}}},
          {std::string(kClass) + "\\Properties", {{"Security", {{"binary", "01"}}}}}}},
        {"printers",
         {{{"name", "Microsoft Print to PDF"}, {"driver", "Microsoft Print To PDF"}},
          {{"name", "\\\\OFFICE-PC\\HP LaserJet 1020"}, {"comment", "二楼"}}}},
        {"disks",
         {{"C:", {{"totalBytes", 256060514304ull}, {"seekPenalty", false}}},
          {"D:", {{"seekPenalty", true}}},
          {"E:", {{"totalBytes", 1}}}}},
        {"files", {{{"path", "D:\\Data"}, {"folder", true}}, {{"path", "E:\\x"}, {"folder", true}}}},
    };
}

std::vector<std::wstring> namesOf(const std::vector<NetworkAdapter>& adapters)
{
    std::vector<std::wstring> names;
    for (const auto& adapter : adapters)
        names.push_back(adapter.adapterName);
    return names;
}

TEST(SimDevices, AdapterListHoldsPresentAdaptersWithAnIpBinding)
{
    ProfileMachine pc(devicesProfile());
    std::vector<NetworkAdapter> adapters;
    ASSERT_EQ(pc.platform().devices.adapters(adapters), ErrorSuccess);
    EXPECT_EQ(namesOf(adapters), (std::vector<std::wstring>{fromUtf8(kEthernet), fromUtf8(kWifi)}));
    EXPECT_EQ(adapters[0].description, L"Realtek PCIe GbE Family Controller");
}

TEST(SimDevices, MachineWithoutAdaptersHasAnEmptyList)
{
    ProfileMachine pc(nlohmann::json{{"system", {{"systemDirectory", "C:\\Windows\\system32"}}}});
    std::vector<NetworkAdapter> adapters{{L"{stale}", L"left from before"}};
    EXPECT_EQ(pc.platform().devices.adapters(adapters), ErrorSuccess);
    EXPECT_TRUE(adapters.empty());
    std::vector<std::wstring> devices;
    ASSERT_EQ(pc.platform().devices.presentNetworkDevices(devices), ErrorSuccess);
    EXPECT_TRUE(devices.empty());
}

TEST(SimDevices, PresentDevicesIncludeMiniportsButNotAbsentAdapters)
{
    ProfileMachine pc(devicesProfile());
    std::vector<std::wstring> devices;
    ASSERT_EQ(pc.platform().devices.presentNetworkDevices(devices), ErrorSuccess);
    EXPECT_EQ(devices, (std::vector<std::wstring>{fromUtf8(kEthernet), fromUtf8(kWifi), fromUtf8(kMiniport)}));
}

TEST(SimDevices, AbsentAdapterHasNoDriverKey)
{
    ProfileMachine pc(devicesProfile());
    std::unique_ptr<RegistryKey> key;
    EXPECT_EQ(pc.platform().devices.openAdapterDriverKey(fromUtf8(kUnplugged), key), ErrorNotFound);
}

TEST(SimDevices, DriverKeyIsFoundWithoutRegardToCase)
{
    ProfileMachine pc(devicesProfile());
    std::unique_ptr<RegistryKey> key;
    ASSERT_EQ(pc.platform().devices.openAdapterDriverKey(lower(fromUtf8(kWifi)), key), ErrorSuccess);
    RegValue value;
    ASSERT_EQ(key->queryValue(L"PnPCapabilities", value), ErrorSuccess);
    EXPECT_EQ(value.asDword().value_or(99), 0u);
}

TEST(SimDevices, DriverKeyWriteIsJournalledAndSaved)
{
    ProfileMachine pc(devicesProfile());
    {
        std::unique_ptr<RegistryKey> key;
        ASSERT_EQ(pc.platform().devices.openAdapterDriverKey(fromUtf8(kEthernet), key), ErrorSuccess);
        ASSERT_EQ(key->setValue(L"PnPCapabilities", RegValue::dword(24)), ErrorSuccess);
    }
    EXPECT_TRUE(pc.journalHas(std::string("registry set ") + kClass + "\\0001 [PnPCapabilities] = REG_DWORD 24"));
    pc.reopen();
    EXPECT_EQ(pc.machine().document()["registry"][std::string(kClass) + "\\0001"]["PnPCapabilities"], 24);
}

TEST(SimDevices, PrintersCarryNameDescriptionAndComment)
{
    ProfileMachine pc(devicesProfile());
    std::vector<PrinterInfo> printers;
    ASSERT_EQ(pc.platform().devices.printers(printers), ErrorSuccess);
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_EQ(printers[0].name, L"Microsoft Print to PDF");
    EXPECT_EQ(printers[0].description, L"Microsoft Print to PDF,Microsoft Print To PDF,");
    EXPECT_EQ(printers[0].flags, 0x00800000u);
    EXPECT_EQ(printers[1].name, L"\\\\OFFICE-PC\\HP LaserJet 1020");
    EXPECT_EQ(printers[1].comment, L"二楼");
}

TEST(SimDevices, StoppedSpoolerFailsTheEnumeration)
{
    nlohmann::json profile = devicesProfile();
    profile["printerError"] = 1722;
    ProfileMachine pc(profile);
    std::vector<PrinterInfo> printers;
    EXPECT_EQ(pc.platform().devices.printers(printers), 1722u);
    EXPECT_TRUE(printers.empty());
}

TEST(SimDevices, SeekPenaltyComesFromTheDiskEntry)
{
    ProfileMachine pc(devicesProfile());
    bool penalty = true;
    ASSERT_EQ(pc.platform().devices.seekPenalty(L"C:", penalty), ErrorSuccess);
    EXPECT_FALSE(penalty);
    ASSERT_EQ(pc.platform().devices.seekPenalty(L"d:", penalty), ErrorSuccess);
    EXPECT_TRUE(penalty);
}

TEST(SimDevices, DriveWithoutTheStoragePropertyDoesNotAnswer)
{
    ProfileMachine pc(devicesProfile());
    bool penalty = false;
    EXPECT_EQ(pc.platform().devices.seekPenalty(L"E:", penalty), ErrorNotSupported);
    EXPECT_EQ(pc.platform().devices.seekPenalty(L"Z:", penalty), ErrorFileNotFound);
    EXPECT_EQ(pc.platform().devices.seekPenalty(L"", penalty), ErrorInvalidParameter);
}

} // namespace
