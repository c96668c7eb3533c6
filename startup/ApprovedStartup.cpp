#include "startup/ApprovedStartup.h"

#include "text/PlatformText.h"

using namespace platform;

namespace {

std::wstring approvedKey(const StartupSource& source)
{
    return toWString(QLatin1String(StartupSource::kApprovedRoot) + QLatin1String(source.approvedKey));
}

bool isOffByte(std::uint8_t state)
{
    return state == 3 || state == 7;
}

// Windows writes 2 / 3 for entries it has never seen changed and 6 / 7 after the user switched them.
std::uint8_t newState(std::uint8_t old, bool enable)
{
    if (enable)
        return old == 3 ? 2 : 6;
    return old == 2 ? 3 : 7;
}

} // namespace

ApprovedStartup::ApprovedStartup(Platform& machine)
    : machine_(machine)
{
}

bool ApprovedStartup::isDisabled(const StartupSource& source, const QString& name)
{
    std::unique_ptr<RegistryKey> key;
    const std::wstring path = approvedKey(source);
    if (!succeeded(machine_.registry.openKey(source.hive, path, RegAccess::Read, RegView::Native64, key)))
        return false;
    RegValue value;
    if (!succeeded(key->queryValue(toWString(name), value, kValueBytes)) || value.data.empty())
        return false;
    return isOffByte(value.data[0]);
}

bool ApprovedStartup::setEnabled(const StartupSource& source, const QString& name, bool enable)
{
    std::unique_ptr<RegistryKey> key;
    const std::wstring path = approvedKey(source);
    if (!succeeded(machine_.registry.openKey(source.hive, path, RegAccess::ReadWrite, RegView::Native64, key)) &&
        !succeeded(machine_.registry.createKey(source.hive, path, RegAccess::ReadWrite, RegView::Native64, key)))
        return false;
    const std::wstring valueName = toWString(name);
    RegValue value;
    const Status status = key->queryValue(valueName, value, kValueBytes);
    if (status == ErrorFileNotFound || (succeeded(status) && value.data.empty())) {
        value = RegValue::binary(std::vector<std::uint8_t>(kValueBytes, 0));
        value.data[0] = enable ? 2 : 3;
    } else if (succeeded(status)) {
        value.type = RegType::Binary;
        value.data[0] = newState(value.data[0], enable);
    } else {
        return false;
    }
    return succeeded(key->setValue(valueName, value));
}
