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

    // GetAdaptersInfo.
    virtual Status adapters(std::vector<NetworkAdapter>& /*adapters*/) { return ErrorCallNotImplemented; }

    // SetupDiGetClassDevsW(GUID_DEVCLASS_NET, DIGCF_PRESENT) + SetupDiOpenDevRegKey(DIREG_DRV) for the
    // present network-class device whose NetCfgInstanceId equals `adapterName`: its driver key, for reading
    // and writing. ERROR_NOT_FOUND when no present device matches.
    virtual Status openAdapterDriverKey(const std::wstring& /*adapterName*/, std::unique_ptr<RegistryKey>& /*key*/)
    {
        return ErrorCallNotImplemented;
    }

    // EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, level 1).
    virtual Status printers(std::vector<PrinterInfo>& /*printers*/) { return ErrorCallNotImplemented; }
};

} // namespace platform
