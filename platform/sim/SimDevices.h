#pragma once

#include "platform/Devices.h"
#include "platform/Registry.h"
#include "platform/sim/SimMachine.h"

namespace platform::sim {

// Network adapters, printers and storage devices on the simulated PC, from the profile:
//   "adapters": [ { "name": "{GUID}", "description": "Realtek PCIe GbE Family Controller",
//                   "present": true, "ipv4": true } ],
//   "printers": [ { "name": "Microsoft Print to PDF", "comment": "", "flags": 8388608 } ],
//   "printerError": 1722,
//   "disks": { "C:": { "seekPenalty": false, "trim": true, "rotationRate": 1 } },
//   "devices": [ { "class": "{53D29EF7-377C-4D14-864B-EB3A85769359}", "instanceId": "USB\\VID_06CB&PID_00BD\\1",
//                  "present": true } ]
// An adapter's driver key is an ordinary key of the simulated registry below
// HKLM\SYSTEM\CurrentControlSet\Control\Class\{4d36e972-e325-11ce-bfc1-08002be10318} whose
// NetCfgInstanceId names it, so writes to it are journalled and saved like any registry write. Adapters that
// are not "present" are absent devices; "ipv4": false leaves a device out of GetAdaptersAddresses (a WAN
// miniport). "printerError" makes the printer enumeration fail with that code (spooler stopped). A drive
// without "seekPenalty", "trim" or "rotationRate" does not answer that query (as Windows 7 lacks the
// seek-penalty property, and a disk behind a USB bridge or a RAID driver answers none of them). "devices"
// lists further devices by setup class (compared without regard to case); those not "present" are unplugged.
class SimDevices : public Devices {
public:
    SimDevices(SimMachine& machine, Registry& registry);

    Status adapters(std::vector<NetworkAdapter>& adapters) override;
    Status openAdapterDriverKey(const std::wstring& adapterName, std::unique_ptr<RegistryKey>& key) override;
    Status presentNetworkDevices(std::vector<std::wstring>& netCfgInstanceIds) override;
    Status presentDevicesOfClass(const std::wstring& classGuid, std::vector<std::wstring>& instanceIds) override;
    Status printers(std::vector<PrinterInfo>& printers) override;
    Status seekPenalty(const std::wstring& drive, bool& incursSeekPenalty) override;
    Status trimEnabled(const std::wstring& drive, bool& enabled) override;
    Status rotationRate(const std::wstring& drive, std::uint16_t& rate) override;

    // The registry path, below HKLM, of the network device class.
    static const wchar_t* const kNetworkClassKey;

private:
    // The member `name` of the drive's entry under "disks"; null with `status` saying why when there is none.
    const nlohmann::json* diskProperty(const std::wstring& drive, const char* name, Status& status) const;

    // The subkey path (below HKLM) of the driver key whose NetCfgInstanceId is `name`; empty when none.
    std::wstring driverKeyPath(const std::wstring& name);
    bool isPresentAdapter(const std::wstring& name) const;

    SimMachine& machine_;
    Registry& registry_;
};

} // namespace platform::sim
