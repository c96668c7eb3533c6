#include "platform/win32/Win32Platform.h"

namespace platform::win32 {

Win32Platform::Win32Platform()
    : platform_{registry_, services_, security_, systemInfo_, processes_, windows_,
                devices_,  tasks_,    shell_,    files_,      commands_}
{
}

std::unique_ptr<Win32Platform> createPlatform()
{
    return std::make_unique<Win32Platform>();
}

} // namespace platform::win32
