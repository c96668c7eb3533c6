#include "phase2/ResiduePathGuard.h"

#include "engine/PlatformText.h"
#include "engine/WindowsPath.h"

#include <cwctype>

using namespace platform;

namespace {

// "?:" is any drive and "*" any one folder name; rows with variables are expanded on the machine.
const wchar_t* const kContainers[] = {
    L"?:\\Users\\*\\AppData",         L"?:\\Users\\*\\AppData\\Local",   L"?:\\Users\\*\\AppData\\Roaming",
    L"?:\\Users\\*\\AppData\\LocalLow", L"?:\\Users\\Public",           L"?:\\Program Files (x86)",
    L"?:\\Program Files\\Common Files", L"?:\\Program Files (x86)\\Common Files", L"?:\\ProgramData",
    L"?:\\ProgramData\\Microsoft",    L"%APPDATA%",                      L"%LOCALAPPDATA%",
    L"%PUBLIC%",                      L"%ProgramFiles(x86)%",            L"%CommonProgramFiles%",
    L"%CommonProgramFiles(x86)%",     L"%CommonProgramW6432%",           L"%ProgramData%",
    L"%ProgramData%\\Microsoft",    L"?:\\Users\\*\\Pictures",         L"?:\\Users\\*\\Music",
    L"?:\\Users\\*\\Videos",          L"?:\\Users\\*\\Downloads",        L"?:\\Users\\*\\Favorites",
};

// Folders nothing below which is ever residue.
const wchar_t* const kForbiddenTrees[] = {L"?:\\Windows", L"%SystemRoot%"};

const wchar_t* const kUninstallKeys[] = {
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
};

using Parts = std::vector<std::wstring>;

bool partMatches(const std::wstring& pattern, const std::wstring& part)
{
    if (pattern == L"*")
        return true;
    if (pattern == L"?:")
        return part.size() == 2 && part[1] == L':';
    return pattern == part;
}

// True when the path `parts` equals the pattern `pattern` or lies below it.
bool startsWith(const Parts& parts, const Parts& pattern)
{
    if (pattern.empty() || pattern.size() > parts.size())
        return false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (!partMatches(pattern[i], parts[i]))
            return false;
    }
    return true;
}

// True when the path `parts` equals the pattern `pattern` or holds what it names.
bool holds(const Parts& parts, const Parts& pattern)
{
    if (parts.empty() || parts.size() > pattern.size())
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!partMatches(pattern[i], parts[i]))
            return false;
    }
    return true;
}

} // namespace

ResiduePathGuard::ResiduePathGuard(Platform& machine, const QString& ownFolder)
    : machine_(machine)
    , guardedDelete_(machine)
    , ownFolder_(toWString(ownFolder))
{
}

ResiduePathGuard::Verdict ResiduePathGuard::check(const QString& evidencePath, std::wstring& canonical)
{
    std::wstring expanded;
    if (evidencePath.trimmed().isEmpty() ||
        !succeeded(machine_.systemInfo.expandEnvironment(toWString(evidencePath.trimmed()), expanded)) ||
        expanded.find(L'%') != std::wstring::npos || expanded.size() >= kMaxExpandedChars)
        return Verdict::Refused;
    for (auto& ch : expanded) {
        if (ch == L'/')
            ch = L'\\';
    }
    if (!isAbsoluteLocalPath(expanded))
        return Verdict::Refused;
    if (!succeeded(machine_.files.longPathName(expanded, canonical)))
        return Verdict::Missing;
    canonical = WindowsPath::withoutTrailingSeparator(canonical);
    const Parts parts = WindowsPath::normalizedParts(canonical);
    if (parts.size() < 2 || passesThroughLink(canonical) || guardedDelete_.isProtected(canonical) ||
        isContainer(parts) || touchesOwnFolder(parts))
        return Verdict::Refused;
    return holdsSoftwareInUse(parts) ? Verdict::InUse : Verdict::Allowed;
}

bool ResiduePathGuard::isAbsoluteLocalPath(const std::wstring& path) const
{
    if (path.size() < 4 || !std::iswalpha(static_cast<std::wint_t>(path[0])) || path[1] != L':' || path[2] != L'\\')
        return false;
    if (path.find(L':', 2) != std::wstring::npos || path.find(L"\\\\") != std::wstring::npos)
        return false;
    std::size_t start = 3;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        const std::wstring part = path.substr(start, end - start);
        if (part == L"." || part == L"..")
            return false;
        start = end + 1;
    }
    return machine_.systemInfo.driveType(path.substr(0, 3)) == DriveType::Fixed;
}

bool ResiduePathGuard::passesThroughLink(const std::wstring& path)
{
    for (std::size_t at = path.find(L'\\', 3); ; at = path.find(L'\\', at + 1)) {
        FileEntry entry;
        const std::wstring prefix = path.substr(0, at);
        if (!succeeded(machine_.files.attributes(prefix, entry)) || entry.isLink())
            return true;
        if (at == std::wstring::npos)
            return false;
    }
}

std::wstring ResiduePathGuard::canonicalOf(const std::wstring& path)
{
    std::wstring longPath;
    return succeeded(machine_.files.longPathName(path, longPath)) ? longPath : path;
}

bool ResiduePathGuard::isContainer(const Parts& parts)
{
    for (const wchar_t* pattern : kForbiddenTrees) {
        std::wstring expanded = pattern;
        if (pattern[0] == L'%' && !succeeded(machine_.systemInfo.expandEnvironment(pattern, expanded)))
            continue;
        if (startsWith(parts, WindowsPath::normalizedParts(canonicalOf(expanded))))
            return true;
    }
    for (const wchar_t* pattern : kContainers) {
        std::wstring expanded = pattern;
        if (pattern[0] == L'%' && (!succeeded(machine_.systemInfo.expandEnvironment(pattern, expanded)) ||
                                   expanded.find(L'%') != std::wstring::npos))
            continue;
        if (holds(parts, WindowsPath::normalizedParts(canonicalOf(expanded))))
            return true;
    }
    return false;
}

bool ResiduePathGuard::touchesOwnFolder(const Parts& parts)
{
    if (ownFolder_.size() < 2 || ownFolder_[1] != L':')
        return false;
    const Parts own = WindowsPath::normalizedParts(canonicalOf(ownFolder_));
    return startsWith(parts, own) || holds(parts, own);
}

bool ResiduePathGuard::holdsSoftwareInUse(const Parts& parts)
{
    std::vector<ProcessEntry> processes;
    if (succeeded(machine_.processes.snapshot(processes))) {
        for (const auto& process : processes) {
            std::wstring image;
            if (succeeded(machine_.processes.imagePath(process.pid, image)) &&
                holds(parts, WindowsPath::normalizedParts(canonicalOf(image))))
                return true;
        }
    }
    for (const auto& location : installLocations()) {
        if (holds(parts, location) || startsWith(parts, location))
            return true;
    }
    return false;
}

std::vector<Parts> ResiduePathGuard::installLocations()
{
    std::vector<Parts> locations;
    for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser}) {
        for (const wchar_t* keyPath : kUninstallKeys) {
            std::unique_ptr<RegistryKey> uninstall;
            if (!succeeded(machine_.registry.openKey(hive, keyPath, RegAccess::Read, RegView::Native64, uninstall)))
                continue;
            std::wstring name;
            for (std::uint32_t index = 0; succeeded(uninstall->enumKey(index, name)); ++index) {
                std::unique_ptr<RegistryKey> entry;
                RegValue value;
                std::wstring expanded;
                if (!succeeded(machine_.registry.openKey(hive, std::wstring(keyPath) + L"\\" + name, RegAccess::Read,
                                                         RegView::Native64, entry)) ||
                    !succeeded(entry->queryValue(L"InstallLocation", value, 4096)) ||
                    !succeeded(machine_.systemInfo.expandEnvironment(value.asString(), expanded)))
                    continue;
                Parts location = WindowsPath::normalizedParts(canonicalOf(expanded));
                // A drive root as install location would make every path look installed; it names nothing.
                if (location.size() >= 2)
                    locations.push_back(std::move(location));
            }
        }
    }
    return locations;
}
