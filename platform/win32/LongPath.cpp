#include "platform/win32/LongPath.h"

#include <windows.h>

#include <cwctype>

namespace platform::win32 {

namespace {

bool isSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

bool isDrivePath(const std::wstring& path)
{
    return path.size() >= 3 && std::iswalpha(static_cast<std::wint_t>(path[0])) && path[1] == L':' &&
           isSeparator(path[2]);
}

// "\\server\share": two separators and a name, but not "\\?\" or "\\.\" (already a device or long path).
bool isUncPath(const std::wstring& path)
{
    return path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?' && path[2] != L'.' &&
           !isSeparator(path[2]);
}

std::wstring fullPath(const std::wstring& path)
{
    std::wstring full(path.size() + MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0)
            return {};
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
    return {};
}

// Windows 7 to 10 turn a last part named like a device ("nul.txt", "con") into that device ("\\.\nul"). Such
// a file exists all the same (made through a "\\?\" path) and must never be mistaken for the device: its
// name is joined by hand to its folder, which is normalised as usual.
std::wstring fileFullPath(const std::wstring& path)
{
    const std::wstring full = fullPath(path);
    if (full.rfind(L"\\\\.\\", 0) != 0)
        return full;
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash + 1 == path.size())
        return full;
    const std::wstring folder = fullPath(path.substr(0, slash + 1));
    return folder.empty() ? folder : folder + path.substr(slash + 1);
}

} // namespace

std::wstring longPath(const std::wstring& path)
{
    if (!isDrivePath(path) && !isUncPath(path))
        return path;
    const std::wstring full = fileFullPath(path);
    if (isDrivePath(full))
        return L"\\\\?\\" + full;
    if (isUncPath(full))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return path;
}

} // namespace platform::win32
