#pragma once

#include "platform/Registry.h"
#include "platform/Status.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// IP_ADAPTER_INFO, the members the program reads.
struct NetworkAdapter {
    std::wstring adapterName; // the adapter's GUID, "{...}"
    std::wstring description;
};

// PRINTER_INFO_1W.
struct PrinterInfo {
    std::uint32_t flags = 0;
    std::wstring description;
    std::wstring name;
    std::wstring comment;
};

// The devices group (iphlpapi, SetupAPI, winspool).
class Devices {
public:
    virtual ~Devices() = default;

    // GetAdaptersAddresses(AF_INET): the adapters with an IPv4 binding, the loopback left out. A machine
    // without one has an empty list; that is no failure.
    virtual Status adapters(std::vector<NetworkAdapter>& /*adapters*/) { return ErrorCallNotImplemented; }

    // SetupDiGetClassDevsW(GUID_DEVCLASS_NET, DIGCF_PRESENT) + SetupDiOpenDevRegKey(DIREG_DRV) for the
    // present network-class device whose NetCfgInstanceId equals `adapterName`: its driver key, for reading
    // and writing. ERROR_NOT_FOUND when no present device matches.
    virtual Status openAdapterDriverKey(const std::wstring& /*adapterName*/, std::unique_ptr<RegistryKey>& /*key*/)
    {
        return ErrorCallNotImplemented;
    }

    // SetupDiGetClassDevsW(GUID_DEVCLASS_NET, DIGCF_PRESENT) + SetupDiEnumDeviceInfo from index 0: the
    // NetCfgInstanceId (read from the driver key) of every present network-class device, adapters without
    // an IP binding included. Devices without a driver key are left out.
    virtual Status presentNetworkDevices(std::vector<std::wstring>& /*netCfgInstanceIds*/)
    {
        return ErrorCallNotImplemented;
    }

    // SetupDiGetClassDevsW(classGuid, DIGCF_PRESENT) + SetupDiEnumDeviceInfo from index 0: the device
    // instance ids of the present devices of a device setup class ("{53D29EF7-377C-4D14-864B-EB3A85769359}"
    // is Biometric). An empty list when the class has no present device.
    virtual Status presentDevicesOfClass(const std::wstring& /*classGuid*/, std::vector<std::wstring>& /*instanceIds*/)
    {
        return ErrorCallNotImplemented;
    }

    // EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, level 1), size query first.
    // RPC_S_SERVER_UNAVAILABLE when the print spooler is stopped or disabled.
    virtual Status printers(std::vector<PrinterInfo>& /*printers*/) { return ErrorCallNotImplemented; }

    // CreateFileW("\\.\C:") + IOCTL_STORAGE_QUERY_PROPERTY(StorageDeviceSeekPenaltyProperty,
    // PropertyStandardQuery): whether the storage device holding `drive` ("C:") incurs a seek penalty, which
    // tells a spinning disk from a solid-state one. Fails (ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION or the
    // open error) when the driver does not answer the query.
    virtual Status seekPenalty(const std::wstring& /*drive*/, bool& /*incursSeekPenalty*/)
    {
        return ErrorCallNotImplemented;
    }

    // The same query for StorageDeviceTrimProperty: whether the device holding `drive` has TRIM enabled.
    // Windows 7 answers it where it lacks the seek-penalty property. Fails like seekPenalty.
    virtual Status trimEnabled(const std::wstring& /*drive*/, bool& /*enabled*/) { return ErrorCallNotImplemented; }

    // IOCTL_STORAGE_GET_DEVICE_NUMBER on "\\.\C:", then IOCTL_ATA_PASS_THROUGH with IDENTIFY DEVICE (0xEC) on
    // "\\.\PhysicalDriveN" (read and write access: an administrator): word 217 of the answer, the nominal media
    // rotation rate (1 = not rotating, 0x0401..0xFFFE = revolutions a minute, 0 = not reported). Fails when
    // the disk is not an ATA disk or the driver refuses the pass-through.
    virtual Status rotationRate(const std::wstring& /*drive*/, std::uint16_t& /*rate*/)
    {
        return ErrorCallNotImplemented;
    }
};

} // namespace platform
