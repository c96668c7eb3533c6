#include "platform/sim/SimSystemInfo.h"

#include "platform/Text.h"

namespace platform::sim {

SimSystemInfo::SimSystemInfo(SimMachine& machine)
    : machine_(machine)
{
}

const nlohmann::json& SimSystemInfo::section() const
{
    static const nlohmann::json empty = nlohmann::json::object();
    const auto& document = machine_.document();
    auto it = document.find("system");
    return it != document.end() && it->is_object() ? *it : empty;
}

Status SimSystemInfo::systemDirectory(std::wstring& path, std::uint32_t maxChars)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring directory = fromUtf8(section().value("systemDirectory", std::string("C:\\Windows\\system32")));
    if (directory.empty())
        return ErrorPathNotFound;
    if (directory.size() + 1 > maxChars)
        return ErrorInsufficientBuffer;
    path = directory;
    return ErrorSuccess;
}

Status SimSystemInfo::version(OsVersion& version)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& system = section();
    auto it = system.find("version");
    if (it == system.end() || !it->is_object())
        return ErrorNotFound;
    version.major = it->value("major", 0u);
    version.minor = it->value("minor", 0u);
    version.build = it->value("build", 0u);
    version.servicePackMajor = static_cast<std::uint16_t>(it->value("servicePack", 0u));
    return ErrorSuccess;
}

} // namespace platform::sim
