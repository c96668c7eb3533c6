#pragma once

#include "platform/Platform.h"

#include <QString>

// The identifier of the PC itself, as opposed to the stick's device identifier: Windows's MachineGuid, read
// in the native registry view (a 32-bit process sees no such value in the redirected one). Empty when it
// cannot be read or is not a plain identifier.
namespace MachineIdentity
{
QString read(platform::Platform& machine);

// Why undo is not offered on a PC whose identifier cannot be read.
QString missingReason();
} // namespace MachineIdentity
