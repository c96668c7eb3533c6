#pragma once

#include "platform/Status.h"
#include "platform/win32/Win32Handle.h"

#include <functional>
#include <string>

namespace platform::win32 {

// The present devices of the network class (SetupDiGetClassDevsW + SetupDiEnumDeviceInfo), each with
// its driver key (SetupDiOpenDevRegKey, DIREG_DRV) opened with `access` and its NetCfgInstanceId. Devices
// without a readable driver key are passed over. `visit` returns false to stop.
Status forEachNetworkDevice(REGSAM access, const std::function<bool(UniqueKey&, const std::wstring&)>& visit);

} // namespace platform::win32
