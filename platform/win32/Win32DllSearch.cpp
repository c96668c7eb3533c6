#include "platform/DllSearch.h"

#include <windows.h>

namespace platform {

DllSearch restrictDllSearch()
{
    // Windows 7 gained SetDefaultDllDirectories only with a loader update of 2011, so it is looked up
    // rather than imported: an import would stop the program from starting at all there.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = kernel32 ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                                           GetProcAddress(kernel32, "SetDefaultDllDirectories")))
                                     : nullptr;
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS))
        return DllSearch::SafeDefaultFolders;
    SetDllDirectoryW(L"");
    return DllSearch::CurrentFolderRemoved;
}

} // namespace platform
