#include "analysis/FileTrust.h"

#include "engine/PlatformText.h"

FileTrust::FileTrust(const MachineQuery& machine)
    : machine_(machine)
{
}

bool FileTrust::isSigned(const QString& path) const
{
    if (path.isEmpty() || path.contains(QLatin1Char('%')) || !machine_.exists(path))
        return false;
    std::int32_t trustResult = -1;
    return platform::succeeded(
               machine_.platform().security.verifyFile(toWString(machine_.nativePath(path)), trustResult)) &&
           trustResult == 0;
}
