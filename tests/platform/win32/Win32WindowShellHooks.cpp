#include "platform/WindowShellHooks.h"
#include "platform/win32/Win32ContractBackend.h"

#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPtr.h"

#include <shlobj.h>
#include <shobjidl.h>

using platform::win32::ComApartment;
using platform::win32::ComPtr;

namespace {

// Windows of the test program itself, shortcuts written through IShellLinkW, and kernel32.dll, whose
// description Wine sets.
class Win32WindowShellHooks : public WindowShellHooks {
public:
    bool addWindow(const std::wstring& className, const std::wstring& title, bool visible, bool toolWindow,
                   std::uint32_t& pid) override
    {
        if (!registerClass(className))
            return false;
        HWND window = CreateWindowExW(toolWindow ? WS_EX_TOOLWINDOW : 0, className.c_str(), title.c_str(),
                                      WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        if (!window)
            return false;
        static_cast<Win32ContractBackend&>(backend()).adoptWindow(window);
        if (visible)
            ShowWindow(window, SW_SHOWNOACTIVATE);
        pid = GetCurrentProcessId();
        return true;
    }

    bool addShortcut(const std::wstring& lnkPath, const std::wstring& target, const std::wstring& arguments) override
    {
        ComApartment::enter();
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        return SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          link.putVoid())) &&
               SUCCEEDED(link->SetPath(target.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.putVoid())) &&
               SUCCEEDED(file->Save(lnkPath.c_str(), TRUE));
    }

    bool describedFile(std::wstring& path, std::wstring& description) override
    {
        wchar_t directory[MAX_PATH] = {};
        if (!GetSystemDirectoryW(directory, MAX_PATH))
            return false;
        path = std::wstring(directory) + L"\\kernel32.dll";
        description = L"Wine kernel DLL";
        return true;
    }

private:
    static bool registerClass(const std::wstring& className)
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = className.c_str();
        return RegisterClassW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
};

Win32WindowShellHooks win32Hooks;
const bool registered = setWindowShellHooks(&win32Hooks);

} // namespace
