#include "phase2/ResiduePlaces.h"

#include "engine/CanonicalPath.h"
#include "engine/GuardedDelete.h"
#include "engine/WindowsPath.h"

using namespace platform;

namespace {

struct Place {
    const wchar_t* path;
    // TEMP and TMP are whatever the user set; one that points at a profile, a drive root or another
    // protected folder names no temporary folder.
    bool temporary;
};

// "?:" is any drive and "*" any one folder name; rows with variables are expanded on the machine.
const Place kPlaces[] = {
    {L"?:\\Program Files", false},
    {L"?:\\Program Files (x86)", false},
    {L"%ProgramFiles%", false},
    {L"%ProgramFiles(x86)%", false},
    {L"%ProgramW6432%", false},
    {L"?:\\ProgramData", false},
    {L"%ProgramData%", false},
    {L"?:\\Users\\*\\AppData\\Local", false},
    {L"?:\\Users\\*\\AppData\\LocalLow", false},
    {L"?:\\Users\\*\\AppData\\Roaming", false},
    {L"%LOCALAPPDATA%", false},
    {L"%USERPROFILE%\\AppData\\LocalLow", false},
    {L"%APPDATA%", false},
    {L"?:\\Users\\*\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs", false},
    {L"?:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs", false},
    {L"%APPDATA%\\Microsoft\\Windows\\Start Menu\\Programs", false},
    {L"%ProgramData%\\Microsoft\\Windows\\Start Menu\\Programs", false},
    {L"?:\\Users\\*\\AppData\\Local\\Temp", true},
    {L"%TEMP%", true},
    {L"%TMP%", true},
};

// Names directly below a place that belong to Windows: credentials, keys, the Start Menu, store apps and
// the components every program shares live there.
const WindowsPath::NameFilter kWindowsOwn({
    L"microsoft*", L"windows*", L"packages", L"common files", L"internet explorer", L"reference assemblies",
    L"msbuild", L"uninstall information", L"modifiablewindowsapps", L"startup", L"accessories",
    L"administrative tools", L"system tools", L"maintenance", L"desktop.ini",
});

bool partMatches(const std::wstring& pattern, const std::wstring& part)
{
    if (pattern == L"*")
        return true;
    if (pattern == L"?:")
        return part.size() == 2 && part[1] == L':';
    return pattern == part;
}

// True when the first `count` parts of `parts` match the first `count` of `place`.
bool sharesStart(const ResiduePlaces::Parts& parts, const ResiduePlaces::Parts& place, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!partMatches(place[i], parts[i]))
            return false;
    }
    return true;
}

} // namespace

ResiduePlaces::ResiduePlaces(Platform& machine)
{
    CanonicalPath canonical(machine);
    GuardedDelete guardedDelete(machine);
    for (const Place& row : kPlaces) {
        const std::wstring path = row.path[0] == L'%' ? canonical.of(row.path).path : std::wstring(row.path);
        Parts parts = WindowsPath::normalizedParts(path);
        if (parts.size() < 2 || (row.temporary && guardedDelete.isProtected(path)))
            continue;
        places_.push_back(std::move(parts));
    }
}

bool ResiduePlaces::admits(const Parts& parts) const
{
    const Parts* deepest = nullptr;
    for (const Parts& place : places_) {
        if (parts.size() <= place.size() && sharesStart(parts, place, parts.size()))
            return false;
        if (parts.size() > place.size() && sharesStart(parts, place, place.size()) &&
            (!deepest || place.size() > deepest->size()))
            deepest = &place;
    }
    return deepest && !kWindowsOwn.matches(parts[deepest->size()]);
}
