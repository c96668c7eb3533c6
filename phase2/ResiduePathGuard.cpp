#include "phase2/ResiduePathGuard.h"

#include "analysis/InstalledProgramFolders.h"
#include "engine/WindowsPath.h"
#include "text/PlatformText.h"

#include <cwctype>

using namespace platform;

namespace {

// Folders nothing below which is ever residue.
const wchar_t* const kForbiddenTrees[] = {L"?:\\Windows", L"%SystemRoot%"};

// The executable of a portable copy lives in "app", beside the copy's "config" and "tools".
const wchar_t kPortableAppFolder[] = L"app";

using Parts = std::vector<std::wstring>;

bool partMatches(const std::wstring& pattern, const std::wstring& part)
{
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
    , canonical_(machine)
    , guardedDelete_(machine)
    , places_(machine)
    , ownFolder_(programFolder(ownFolder))
{
}

ResiduePathGuard::Verdict ResiduePathGuard::check(const QString& evidencePath, std::wstring& canonical)
{
    const CanonicalPath::Form form = canonical_.of(toWString(evidencePath));
    if (form.path.empty() || !isAbsoluteLocalPath(form.written))
        return Verdict::Refused;
    if (form.tidied || !form.exists)
        return Verdict::Missing;
    canonical = form.path;
    const Parts parts = WindowsPath::normalizedParts(canonical);
    if (parts.size() < 2 || !places_.admits(parts) || passesThroughLink(canonical) ||
        guardedDelete_.isProtected(canonical) || isInWindowsFolder(parts) || touchesOwnFolder(parts))
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
    const std::wstring canonical = canonical_.of(path).path;
    return canonical.empty() ? path : canonical;
}

bool ResiduePathGuard::isInWindowsFolder(const Parts& parts)
{
    for (const wchar_t* pattern : kForbiddenTrees) {
        std::wstring expanded = pattern;
        if (pattern[0] == L'%' && !succeeded(machine_.systemInfo.expandEnvironment(pattern, expanded)))
            continue;
        if (startsWith(parts, WindowsPath::normalizedParts(canonicalOf(expanded))))
            return true;
    }
    return false;
}

ResiduePathGuard::Parts ResiduePathGuard::programFolder(const QString& ownFolder)
{
    const std::wstring folder = canonical_.of(toWString(ownFolder)).path;
    if (folder.size() < 2 || folder[1] != L':')
        return {};
    Parts parts = WindowsPath::normalizedParts(folder);
    if (parts.size() > 2 && parts.back() == kPortableAppFolder)
        parts.pop_back();
    return parts;
}

bool ResiduePathGuard::touchesOwnFolder(const Parts& parts) const
{
    return startsWith(parts, ownFolder_) || holds(parts, ownFolder_);
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
    for (const std::wstring& folder : InstalledProgramFolders(machine_).folders()) {
        const Parts installed = WindowsPath::normalizedParts(folder);
        if (holds(parts, installed) || startsWith(parts, installed))
            return true;
    }
    return false;
}
