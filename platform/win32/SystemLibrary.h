#pragma once

#include <windows.h>

namespace platform::win32 {

// Loads a DLL of Windows by name from the system folder only, never from the program's folder or the
// current one, where anyone who can write to the stick could have put a file of that name. Null with the
// Win32 error in GetLastError when it cannot be loaded.
HMODULE loadSystemLibrary(const wchar_t* name);

// The same by the system folder's full path: the way on a Windows 7 whose loader refuses the search flag.
HMODULE loadFromSystemFolder(const wchar_t* name);

} // namespace platform::win32
