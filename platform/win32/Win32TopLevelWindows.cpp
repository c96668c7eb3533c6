#include "platform/win32/Win32TopLevelWindows.h"

#include <windows.h>

namespace platform::win32 {

namespace {

BOOL CALLBACK collect(HWND window, LPARAM handles)
{
    reinterpret_cast<std::vector<HWND>*>(handles)->push_back(window);
    return TRUE;
}

std::wstring classNameOf(HWND window)
{
    wchar_t name[257] = {};
    const int length = GetClassNameW(window, name, 257);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring titleOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::wstring title(length + 1, L'\0');
    const int copied = GetWindowTextW(window, title.data(), length + 1);
    title.resize(copied > 0 ? copied : 0);
    return title;
}

} // namespace

// The handles are collected first and queried afterwards, so the callback does nothing that could
// re-enter the window manager while it enumerates.
Status Win32TopLevelWindows::enumerate(std::vector<WindowInfo>& windows)
{
    windows.clear();
    std::vector<HWND> handles;
    if (!EnumWindows(collect, reinterpret_cast<LPARAM>(&handles)))
        return static_cast<Status>(GetLastError());
    for (HWND handle : handles) {
        WindowInfo info;
        info.handle = reinterpret_cast<std::uintptr_t>(handle);
        info.visible = IsWindowVisible(handle) != FALSE;
        info.exStyle = static_cast<std::uint32_t>(GetWindowLongW(handle, GWL_EXSTYLE));
        info.className = classNameOf(handle);
        info.title = titleOf(handle);
        DWORD pid = 0;
        GetWindowThreadProcessId(handle, &pid);
        info.pid = pid;
        windows.push_back(std::move(info));
    }
    return ErrorSuccess;
}

} // namespace platform::win32
