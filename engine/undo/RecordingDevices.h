#pragma once

#include "platform/Devices.h"

class ChangeRecordWriter;

// The devices group while a run's changes are recorded: values written to an adapter's driver key first
// record their prior state, under the adapter's identifier.
class RecordingDevices : public platform::Devices
{
public:
    RecordingDevices(platform::Devices& inner, ChangeRecordWriter& record);

    platform::Status adapters(std::vector<platform::NetworkAdapter>& adapters) override;
    platform::Status openAdapterDriverKey(const std::wstring& adapterName,
                                          std::unique_ptr<platform::RegistryKey>& key) override;
    platform::Status presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds) override;
    platform::Status presentDevicesOfClass(const std::wstring& classGuid,
                                           std::vector<std::wstring>& instanceIds) override;
    platform::Status printers(std::vector<platform::PrinterInfo>& printers) override;
    platform::Status seekPenalty(const std::wstring& drive, bool& incursSeekPenalty) override;
    platform::Status trimEnabled(const std::wstring& drive, bool& enabled) override;
    platform::Status rotationRate(const std::wstring& drive, std::uint16_t& rate) override;

private:
    platform::Devices& inner_;
    ChangeRecordWriter& record_;
};
