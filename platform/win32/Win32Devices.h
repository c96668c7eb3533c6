#pragma once

#include "platform/Devices.h"

namespace platform::win32 {

// The devices group over iphlpapi, SetupAPI, winspool and the storage IOCTLs.
class Win32Devices : public Devices {
public:
    Status adapters(std::vector<NetworkAdapter>& adapters) override;
    Status openAdapterDriverKey(const std::wstring& adapterName, std::unique_ptr<RegistryKey>& key) override;
    Status presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds) override;
    Status presentDevicesOfClass(const std::wstring& classGuid, std::vector<std::wstring>& instanceIds) override;
    Status printers(std::vector<PrinterInfo>& printers) override;
    Status seekPenalty(const std::wstring& drive, bool& incursSeekPenalty) override;
    Status trimEnabled(const std::wstring& drive, bool& enabled) override;
    Status rotationRate(const std::wstring& drive, std::uint16_t& rate) override;
};

} // namespace platform::win32
