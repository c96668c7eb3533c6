#include "engine/AdapterPowerSaving.h"

#include "engine/StageCore.h"

AdapterPowerSaving::AdapterPowerSaving(StageCore& core)
    : core_(core)
{
}

void AdapterPowerSaving::apply()
{
    if (core_.hasBattery && core_.onBattery)
        return;
    if (!hasAdapters())
        return;
    platform::Devices& devices = core_.machine().devices;
    std::vector<std::wstring> present;
    if (!platform::succeeded(devices.presentNetworkDevices(present)))
        return;
    for (const auto& device : present) {
        std::unique_ptr<platform::RegistryKey> key;
        if (platform::succeeded(devices.openAdapterDriverKey(device, key)))
            key->setValue(L"PnPCapabilities", platform::RegValue::dword(kPnPCapabilities));
    }
}

bool AdapterPowerSaving::hasAdapters() const
{
    std::vector<platform::NetworkAdapter> adapters;
    return platform::succeeded(core_.machine().devices.adapters(adapters)) && !adapters.empty();
}
