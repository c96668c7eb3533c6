#include "platform/sim/SimShell.h"

#include "platform/ShortcutTarget.h"
#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimWow64.h"

#include <filesystem>

namespace platform::sim {

SimShell::SimShell(SimMachine& machine)
    : machine_(machine)
{
}

const nlohmann::json* SimShell::entryFor(const char* table, const std::wstring& path, Status& status) const
{
    std::error_code ec;
    const std::filesystem::path host = machine_.hostPath(path);
    if (host.empty() || !std::filesystem::is_regular_file(host, ec)) {
        status = ErrorFileNotFound;
        return nullptr;
    }
    status = ErrorInvalidData;
    const auto& document = machine_.document();
    auto shell = document.find("shell");
    if (shell == document.end() || !shell->is_object())
        return nullptr;
    auto entries = shell->find(table);
    if (entries == shell->end() || !entries->is_object())
        return nullptr;
    for (auto it = entries->begin(); it != entries->end(); ++it) {
        if (equalsIgnoreCase(fromUtf8(it.key()), path)) {
            status = ErrorSuccess;
            return &it.value();
        }
    }
    return nullptr;
}

Status SimShell::shortcutTarget(const std::wstring& lnkPath, std::wstring& target, std::wstring& arguments)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    Status status = ErrorSuccess;
    const nlohmann::json* link = entryFor("shortcuts", lnkPath, status);
    if (!link)
        return status;
    if (!link->is_object())
        return ErrorInvalidData;
    SimSystemInfo systemInfo(machine_);
    const auto expand = [&](const std::wstring& text) {
        std::wstring expanded;
        systemInfo.expandEnvironment(text, expanded);
        return expanded;
    };
    const SimWow64 wow64(machine_);
    const auto isFile = [&](const std::wstring& path) {
        std::wstring redirected;
        std::error_code ec;
        const std::filesystem::path host = machine_.hostPath(wow64.redirect(path, redirected));
        return !host.empty() && std::filesystem::is_regular_file(host, ec);
    };
    target = ShortcutTarget(expand, isFile).resolve(fromUtf8(memberOr(*link, "target", std::string())));
    arguments = fromUtf8(memberOr(*link, "arguments", std::string()));
    return ErrorSuccess;
}

Status SimShell::fileDescription(const std::wstring& path, std::wstring& description)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    Status status = ErrorSuccess;
    const nlohmann::json* text = entryFor("fileDescriptions", path, status);
    if (!text)
        return status;
    if (!text->is_string())
        return ErrorInvalidData;
    description = fromUtf8(text->get<std::string>());
    return ErrorSuccess;
}

} // namespace platform::sim
