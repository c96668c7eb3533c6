#pragma once

#include "platform/SystemInfo.h"

#include <vector>

namespace platform::win32 {

// The SystemRestore instances of WMI's root\default namespace, read through COM (IWbemLocator) so that the
// listing needs no wmic, which newer Windows versions no longer ship.
Status listRestorePoints(std::vector<RestorePoint>& points);

// SRRemoveRestorePoint, loaded from srclient.dll at run time: the DLL is missing where system protection is
// not installed.
Status removeRestorePoint(std::uint32_t sequenceNumber);

} // namespace platform::win32
