#include "platform/win32/Win32Shell.h"

#include "platform/ShortcutTarget.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ComPtr.h"
#include "platform/win32/HresultStatus.h"
#include "platform/win32/LongPath.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <vector>

namespace platform::win32 {

namespace {

constexpr int linkTextChars = 32768;

// The description in the first language the resource lists, else US English / Unicode.
bool descriptionIn(std::vector<std::uint8_t>& block, std::wstring& description)
{
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation wanted{0x0409, 0x04B0};
    void* translations = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translations, &length) &&
        length >= sizeof(Translation))
        wanted = *static_cast<const Translation*>(translations);
    wchar_t query[64];
    std::swprintf(query, 64, L"\\StringFileInfo\\%04x%04x\\FileDescription", wanted.language, wanted.codePage);
    void* text = nullptr;
    if (!VerQueryValueW(block.data(), query, &text, &length) || length == 0)
        return false;
    description.assign(static_cast<const wchar_t*>(text));
    return true;
}

std::wstring expanded(const std::wstring& text)
{
    std::wstring out(linkTextChars, L'\0');
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), out.data(), linkTextChars);
    if (length == 0 || length > linkTextChars)
        return text;
    out.resize(length - 1);
    return out;
}

bool isFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(longPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

Status Win32Shell::shortcutTarget(const std::wstring& lnkPath, std::wstring& target, std::wstring& arguments)
{
    ComApartment::enter();
    ComPtr<IShellLinkW> link;
    HRESULT result =
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid());
    if (FAILED(result))
        return statusFromHresult(result);
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.putVoid());
    if (FAILED(result))
        return statusFromHresult(result);
    result = file->Load(lnkPath.c_str(), STGM_READ);
    if (FAILED(result))
        return statusFromHresult(result);
    // The raw path: without it a 32-bit process is handed "Program Files (x86)" for a 64-bit program.
    std::vector<wchar_t> text(linkTextChars, L'\0');
    result = link->GetPath(text.data(), linkTextChars, nullptr, SLGP_RAWPATH);
    if (FAILED(result))
        return statusFromHresult(result);
    target = ShortcutTarget(expanded, isFile).resolve(text.data());
    text.assign(linkTextChars, L'\0');
    result = link->GetArguments(text.data(), linkTextChars);
    if (FAILED(result))
        return statusFromHresult(result);
    arguments.assign(text.data());
    return ErrorSuccess;
}

Status Win32Shell::fileDescription(const std::wstring& path, std::wstring& description)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return static_cast<Status>(GetLastError());
    std::vector<std::uint8_t> block(size, 0);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return static_cast<Status>(GetLastError());
    return descriptionIn(block, description) ? ErrorSuccess : static_cast<Status>(ERROR_RESOURCE_TYPE_NOT_FOUND);
}

} // namespace platform::win32
