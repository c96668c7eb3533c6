#include "platform/sim/SimWow64.h"

#include "platform/Text.h"

namespace platform::sim {

namespace {

// Folders below System32 that WOW64 leaves where they are.
const wchar_t* const kExemptFolders[] = {L"catroot", L"catroot2", L"drivers\\etc", L"logfiles", L"spool"};

// Tools of which Windows ships no 32-bit copy in SysWOW64.
const wchar_t* const kNativeOnlyTools[] = {L"bcdedit"};

bool isSeparator(wchar_t ch)
{
    return ch == L'\\' || ch == L'/';
}

} // namespace

SimWow64::SimWow64(const SimMachine& machine)
{
    const auto& document = machine.document();
    auto system = document.find("system");
    if (system == document.end() || !system->is_object())
        return;
    auto wow64 = system->find("wow64");
    active_ = wow64 != system->end() && wow64->is_boolean() && wow64->get<bool>();
    std::wstring directory = L"C:\\Windows\\system32";
    auto given = system->find("systemDirectory");
    if (given != system->end() && given->is_string())
        directory = fromUtf8(given->get<std::string>());
    const std::wstring windows = directory.substr(0, directory.find_last_of(L"\\/"));
    system32_ = lower(windows + L"\\System32");
    sysnative_ = lower(windows + L"\\Sysnative");
    syswow64_ = windows + L"\\SysWOW64";
    native_ = windows + L"\\System32";
}

std::size_t SimWow64::folderPrefix(const std::wstring& path, const std::wstring& prefix)
{
    if (prefix.empty() || path.size() < prefix.size() ||
        (path.size() > prefix.size() && !isSeparator(path[prefix.size()])))
        return 0;
    return equalsIgnoreCase(std::wstring_view(path).substr(0, prefix.size()), prefix) ? prefix.size() : 0;
}

bool SimWow64::isExempt(const std::wstring& rest) const
{
    for (const wchar_t* folder : kExemptFolders) {
        if (folderPrefix(rest, folder))
            return true;
    }
    return false;
}

const std::wstring& SimWow64::redirect(const std::wstring& path, std::wstring& storage) const
{
    if (!active_)
        return path;
    if (std::size_t length = folderPrefix(path, sysnative_)) {
        storage = native_ + path.substr(length);
        return storage;
    }
    std::size_t length = folderPrefix(path, system32_);
    if (!length || isExempt(path.size() > length ? path.substr(length + 1) : std::wstring()))
        return path;
    storage = syswow64_ + path.substr(length);
    return storage;
}

bool SimWow64::reachesTool(const std::wstring& program, const std::wstring& toolName) const
{
    if (!active_)
        return !folderPrefix(program, sysnative_);
    if (!folderPrefix(program, system32_))
        return true;
    for (const wchar_t* tool : kNativeOnlyTools) {
        if (toolName == tool)
            return false;
    }
    return true;
}

} // namespace platform::sim
