#include "engine/GuardedDelete.h"

#include "engine/WindowsPath.h"

#include <cwctype>

using namespace platform;

namespace {

// "?:" stands for any drive and "*" for any one folder name. Rows with variables are expanded on the
// machine at hand, so that a Windows or Program Files folder living elsewhere is protected too.
const wchar_t* const kProtectedFolders[] = {
    L"?:\\",
    L"?:\\Windows",
    L"?:\\Windows\\System32",
    L"?:\\Program Files",
    L"?:\\Program Files (x86)",
    L"?:\\ProgramData",
    L"?:\\Users",
    L"?:\\Users\\*",
    L"?:\\Users\\*\\Desktop",
    L"?:\\Users\\*\\Documents",
    L"?:\\Users\\*\\Pictures",
    L"?:\\Users\\*\\Music",
    L"?:\\Users\\*\\Videos",
    L"?:\\Users\\*\\Downloads",
    L"?:\\Users\\*\\AppData",
    L"?:\\Users\\*\\AppData\\Local",
    L"?:\\Users\\*\\AppData\\Roaming",
    L"%SystemRoot%",
    L"%SystemRoot%\\System32",
    L"%SystemRoot%\\SysWOW64",
    L"%ProgramFiles%",
    L"%ProgramFiles(x86)%",
    L"%ProgramW6432%",
    L"%ProgramData%",
    L"%PUBLIC%",
    L"%USERPROFILE%",
    L"%USERPROFILE%\\Desktop",
    L"%USERPROFILE%\\Documents",
    L"%USERPROFILE%\\Pictures",
    L"%USERPROFILE%\\Music",
    L"%USERPROFILE%\\Videos",
    L"%USERPROFILE%\\Downloads",
    L"%APPDATA%",
    L"%LOCALAPPDATA%",
};

// A path whose variables did not expand, or no path at all, names nothing that may be deleted.
bool isUnusable(const std::wstring& path)
{
    return path.empty() || path.find(L'%') != std::wstring::npos;
}

bool partMatches(const std::wstring& pattern, const std::wstring& part)
{
    if (pattern == L"*")
        return true;
    if (pattern == L"?:")
        return part.size() == 2 && part[1] == L':' && std::iswalpha(static_cast<std::wint_t>(part[0]));
    return pattern == part;
}

bool matches(const std::vector<std::wstring>& pattern, const std::vector<std::wstring>& parts)
{
    if (pattern.size() != parts.size())
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!partMatches(pattern[i], parts[i]))
            return false;
    }
    return true;
}

// True when `parts` names a folder that holds `protectedParts` (a proper ancestor of it).
bool holds(const std::vector<std::wstring>& parts, const std::vector<std::wstring>& protectedParts)
{
    if (parts.size() >= protectedParts.size())
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (parts[i] != protectedParts[i])
            return false;
    }
    return true;
}

} // namespace

GuardedDelete::GuardedDelete(Platform& machine, ReadOnlyFiles readOnlyFiles)
    : machine_(machine)
    , readOnlyFiles_(readOnlyFiles)
{
}

bool GuardedDelete::removeListedFile(const std::wstring& path, const FileEntry& entry)
{
    if (entry.isLink() || entry.isDirectory() || entry.isPlaceholder())
        return false;
    const Status status = machine_.files.deleteFile(path);
    if (status == ErrorAccessDenied && readOnlyFiles_ == ReadOnlyFiles::ClearAndRetry &&
        (entry.attributes & FileAttribute::ReadOnly))
        return removeReadOnly(path, entry);
    return succeeded(status);
}

// A file that still cannot go gets its read-only mark back, so that a failed removal changes nothing.
bool GuardedDelete::removeReadOnly(const std::wstring& path, const FileEntry& entry)
{
    const std::uint32_t kept = entry.attributes & (FileAttribute::Hidden | FileAttribute::System);
    if (!succeeded(machine_.files.setAttributes(path, kept ? kept : FileAttribute::Normal)))
        return false;
    if (succeeded(machine_.files.deleteFile(path)))
        return true;
    machine_.files.setAttributes(path, kept | FileAttribute::ReadOnly);
    return false;
}

Removal GuardedDelete::removeFile(const std::wstring& path)
{
    Removal removal;
    FileEntry entry;
    if (isUnusable(path)) {
        removal.refused = true;
        return removal;
    }
    if (!succeeded(machine_.files.attributes(path, entry)))
        return removal;
    if (entry.isLink() || entry.isDirectory()) {
        removal.refused = true;
        return removal;
    }
    if (removeListedFile(path, entry)) {
        removal.bytes = static_cast<qint64>(entry.size);
        removal.files = 1;
    }
    return removal;
}

Removal GuardedDelete::removeTree(const std::wstring& path)
{
    Removal removal;
    FileEntry entry;
    if (isUnusable(path)) {
        removal.refused = true;
        return removal;
    }
    if (!succeeded(machine_.files.attributes(path, entry)))
        return removal;
    const std::wstring folder = WindowsPath::withoutTrailingSeparator(path);
    if (entry.isLink() || !entry.isDirectory() || isProtected(folder)) {
        removal.refused = true;
        return removal;
    }
    removeBelow(folder, removal);
    if (succeeded(machine_.files.removeDirectory(folder)))
        ++removal.folders;
    return removal;
}

void GuardedDelete::removeBelow(const std::wstring& folder, Removal& removal)
{
    machine_.files.list(folder, [&](const FileEntry& entry) {
        if (!WindowsPath::isPlainName(entry.name))
            return true;
        const std::wstring child = folder + L'\\' + entry.name;
        if (entry.isLink()) {
            // The link itself goes; what it points at is never entered.
            if (entry.isDirectory())
                machine_.files.removeDirectory(child);
            else
                machine_.files.deleteFile(child);
        } else if (entry.isDirectory()) {
            removeBelow(child, removal);
            if (succeeded(machine_.files.removeDirectory(child)))
                ++removal.folders;
        } else if (removeListedFile(child, entry)) {
            removal.bytes += static_cast<qint64>(entry.size);
            ++removal.files;
        }
        return true;
    });
}

bool GuardedDelete::isProtected(const std::wstring& folder)
{
    if (isUnusable(folder))
        return true;
    const auto parts = WindowsPath::normalizedParts(folder);
    if (parts.empty())
        return true;
    for (const wchar_t* pattern : kProtectedFolders) {
        if (pattern[0] != L'%' && matches(WindowsPath::normalizedParts(pattern), parts))
            return true;
    }
    for (const auto& expanded : expandedProtectedFolders()) {
        const auto protectedParts = WindowsPath::normalizedParts(expanded);
        if (matches(protectedParts, parts) || holds(parts, protectedParts))
            return true;
    }
    return false;
}

const std::vector<std::wstring>& GuardedDelete::expandedProtectedFolders()
{
    if (expandedReady_)
        return expanded_;
    expandedReady_ = true;
    for (const wchar_t* pattern : kProtectedFolders) {
        std::wstring expanded;
        if (pattern[0] == L'%' && succeeded(machine_.systemInfo.expandEnvironment(pattern, expanded)) &&
            expanded.find(L'%') == std::wstring::npos)
            expanded_.push_back(expanded);
    }
    return expanded_;
}
