#include "platform/win32/NetworkDeviceList.h"

#include "platform/RegistryValue.h"
#include "platform/win32/Win32RegistryKey.h"

#include <windows.h>
#include <setupapi.h>

#include <memory>

namespace platform::win32 {

namespace {

// GUID_DEVCLASS_NET, spelled out so no translation unit has to define the devguid.h constants.
const GUID networkClass = {0x4d36e972, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

struct DeviceListDestroyer {
    void operator()(void* list) const { SetupDiDestroyDeviceInfoList(list); }
};
using UniqueDeviceList = std::unique_ptr<void, DeviceListDestroyer>;

std::wstring instanceIdOf(HKEY key)
{
    wchar_t text[128] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    DWORD type = REG_NONE;
    if (RegQueryValueExW(key, L"NetCfgInstanceId", nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return std::wstring(text);
}

} // namespace

Status forEachNetworkDevice(REGSAM access, const std::function<bool(UniqueKey&, const std::wstring&)>& visit)
{
    HDEVINFO devices = SetupDiGetClassDevsW(&networkClass, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE)
        return static_cast<Status>(GetLastError());
    const UniqueDeviceList owner(devices);
    for (DWORD index = 0;; ++index) {
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof(device);
        if (!SetupDiEnumDeviceInfo(devices, index, &device)) {
            const DWORD error = GetLastError();
            return error == ERROR_NO_MORE_ITEMS ? ErrorSuccess : static_cast<Status>(error);
        }
        HKEY opened = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, access);
        if (opened == INVALID_HANDLE_VALUE || !opened)
            continue;
        UniqueKey key(opened);
        const std::wstring id = instanceIdOf(key.get());
        if (!id.empty() && !visit(key, id))
            return ErrorSuccess;
    }
}

} // namespace platform::win32
