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

} // namespace

std::wstring longPath(const std::wstring& path)
{
    if (!isDrivePath(path) && !isUncPath(path))
        return path;
    const std::wstring full = fullPath(path);
    if (isDrivePath(full))
        return L"\\\\?\\" + full;
    if (isUncPath(full))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return path;
}

} // namespace platform::win32
