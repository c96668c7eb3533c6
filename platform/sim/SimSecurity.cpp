#include "platform/sim/SimSecurity.h"

#include "platform/Text.h"
#include "platform/sim/JsonMember.h"
#include "platform/sim/SimInteractiveUser.h"
#include "platform/sim/SimWow64.h"

namespace platform::sim {

SimSecurity::SimSecurity(SimMachine& machine)
    : machine_(machine)
{
}

Status SimSecurity::isAdministrator(bool& member)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    const auto& document = machine_.document();
    member = !document.contains("security") || memberOr(document["security"], "administrator", true);
    return ErrorSuccess;
}

Status SimSecurity::verifyFile(const std::wstring& path, std::int32_t& trustResult)
{
    return verifyListed("signedFiles", path, trustResult);
}

Status SimSecurity::verifyCatalog(const std::wstring& path, std::int32_t& trustResult)
{
    return verifyListed("catalogSignedFiles", path, trustResult);
}

Status SimSecurity::interactiveUser(std::wstring& sid, bool& isProcessUser)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    return SimInteractiveUser(machine_).find(sid, isProcessUser);
}

Status SimSecurity::verifyListed(const char* list, const std::wstring& given, std::int32_t& trustResult)
{
    std::lock_guard<std::recursive_mutex> lock(machine_.mutex());
    std::wstring redirected;
    const std::wstring& path = SimWow64(machine_).redirect(given, redirected);
    std::error_code ec;
    auto host = machine_.hostPath(path);
    if (host.empty() || !std::filesystem::is_regular_file(host, ec))
        return ErrorFileNotFound;
    trustResult = kNoSignature;
    if (isListed("uncheckableFiles", path))
        trustResult = kChainNotComplete;
    if (isListed(list, path))
        trustResult = 0;
    return ErrorSuccess;
}

bool SimSecurity::isListed(const char* list, const std::wstring& path) const
{
    const auto& document = machine_.document();
    if (!document.contains("security") || !document["security"].contains(list))
        return false;
    for (const auto& listed : document["security"][list]) {
        if (listed.is_string() && equalsIgnoreCase(fromUtf8(listed.get<std::string>()), path))
            return true;
    }
    return false;
}

} // namespace platform::sim
