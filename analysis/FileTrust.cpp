#include "analysis/FileTrust.h"

#include "text/PlatformText.h"

FileTrust::FileTrust(const MachineQuery& machine)
    : machine_(machine)
{
}

bool FileTrust::isSigned(const QString& path) const
{
    if (path.isEmpty() || path.contains(QLatin1Char('%')) || !machine_.exists(path))
        return false;
    platform::Security& security = machine_.platform().security;
    const std::wstring file = toWString(machine_.nativePath(path));
    std::int32_t trustResult = -1;
    if (platform::succeeded(security.verifyFile(file, trustResult)) && trustResult == 0)
        return true;
    trustResult = -1;
    return platform::succeeded(security.verifyCatalog(file, trustResult)) && trustResult == 0;
}
