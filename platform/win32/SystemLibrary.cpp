#include "platform/win32/SystemLibrary.h"

#include <string>

namespace platform::win32 {

HMODULE loadSystemLibrary(const wchar_t* name)
{
    const HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;
    return loadFromSystemFolder(name);
}

HMODULE loadFromSystemFolder(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0)
        return nullptr;
    if (length >= MAX_PATH) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nullptr;
    }
    std::wstring path(folder, length);
    path += L'\\';
    path += name;
    // The altered search makes the DLL's own dependencies come from the system folder too.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace platform::win32
