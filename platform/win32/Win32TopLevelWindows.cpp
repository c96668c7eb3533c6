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

// A hung window never answers a message, and GetWindowTextW would wait for it for ever: asking with a
// short time-out that gives up at once on a hung window leaves its title empty instead.
constexpr UINT titleWaitMs = 200;

bool ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& answer)
{
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, titleWaitMs,
                               &answer) != 0;
}

std::wstring titleOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!ask(window, WM_GETTEXTLENGTH, 0, 0, length) || length == 0)
        return {};
    std::wstring title(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!ask(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(title.data()), copied))
        return {};
    title.resize(copied < length ? copied : length);
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
