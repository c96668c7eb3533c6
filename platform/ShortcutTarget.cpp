#include "platform/ShortcutTarget.h"

#include "platform/Text.h"

namespace platform {

namespace {

// A program files variable and the name of its 64-bit folder, which a 32-bit process expands unchanged.
const std::pair<const wchar_t*, const wchar_t*> kProgramFolders[] = {
    {L"%ProgramFiles%", L"%ProgramW6432%"},
    {L"%CommonProgramFiles%", L"%CommonProgramW6432%"},
};

bool startsWithFolder(const std::wstring& path, const std::wstring& folder)
{
    if (folder.empty() || path.size() < folder.size() ||
        !equalsIgnoreCase(std::wstring_view(path).substr(0, folder.size()), folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\' || path[folder.size()] == L'/';
}

} // namespace

ShortcutTarget::ShortcutTarget(Expand expand, Exists exists)
    : expand_(std::move(expand))
    , exists_(std::move(exists))
{
}

std::wstring ShortcutTarget::resolve(const std::wstring& raw) const
{
    for (const auto& [variable, native] : kProgramFolders) {
        const std::wstring moved = inNative(raw, variable, native);
        if (!moved.empty())
            return moved;
    }
    const std::wstring expanded = expand_(raw);
    if (exists_(expanded))
        return expanded;
    const std::wstring moved = inNative(expanded, expand_(L"%ProgramFiles(x86)%"), L"%ProgramW6432%");
    return moved.empty() ? expanded : moved;
}

std::wstring ShortcutTarget::inNative(const std::wstring& path, const std::wstring& folder, const wchar_t* native) const
{
    if (!startsWithFolder(path, folder))
        return {};
    const std::wstring nativeFolder = expand_(native);
    // Undefined on 32-bit Windows, where there is no other folder to look in.
    if (nativeFolder.find(L'%') != std::wstring::npos)
        return {};
    const std::wstring moved = nativeFolder + path.substr(folder.size());
    return exists_(moved) ? moved : std::wstring();
}

} // namespace platform
