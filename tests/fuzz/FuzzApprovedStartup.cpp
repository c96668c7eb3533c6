// Hostile approved-start-up values. Input: a source (byte 0), a value type (byte 1), the length of the value's
// name (byte 2), the name (Latin-1) and the value's bytes. A value is read as switched off only when it holds at
// most 12 bytes and its first is 3 or 7; switching keeps every byte but the first, refuses a longer value and
// leaves it as it was, and whatever the name holds it stays one value of the approvals key.
#include "startup/ApprovedStartup.h"
#include "text/PlatformText.h"

#include "FuzzSimPc.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace platform;

namespace {

const RegType kTypes[] = {RegType::Binary, RegType::Dword, RegType::Sz, RegType::None};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

std::unique_ptr<RegistryKey> approvals(Platform& machine, const StartupSource& source)
{
    std::unique_ptr<RegistryKey> key;
    const QString path = QLatin1String(StartupSource::kApprovedRoot) + QLatin1String(source.approvedKey);
    require(succeeded(machine.registry.createKey(source.hive, toWString(path), RegAccess::ReadWrite,
                                                 RegView::Native64, key)));
    return key;
}

RegValue stored(Platform& machine, const StartupSource& source, const std::wstring& name)
{
    RegValue value;
    require(succeeded(approvals(machine, source)->queryValue(name, value)));
    return value;
}

// After switching: a value of the wanted state that kept every byte but the first of `before`.
void requireSwitched(const RegValue& before, const RegValue& after, bool enabled)
{
    require(after.type == RegType::Binary && !after.data.empty());
    require((after.data[0] == 3 || after.data[0] == 7) == !enabled);
    if (before.data.empty()) {
        require(after.data.size() == ApprovedStartup::kValueBytes);
        return;
    }
    require(after.data.size() == before.data.size());
    require(std::equal(before.data.begin() + 1, before.data.end(), after.data.begin() + 1));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const int sourceCount = int(StartupSource::end() - StartupSource::begin());
    const StartupSource& source = StartupSource::begin()[data[0] % sourceCount];
    const std::size_t nameLength = std::min<std::size_t>(data[2], size - 3);
    const QString name = QString::fromLatin1(reinterpret_cast<const char*>(data + 3), int(nameLength));
    const std::wstring valueName = toWString(name);
    RegValue value;
    value.type = kTypes[data[1] % std::size(kTypes)];
    value.data.assign(data + 3 + nameLength, data + size);

    FuzzSimPc pc;
    Platform& machine = pc.platform();
    std::uint32_t count = 0;
    require(succeeded(approvals(machine, source)->valueCount(count)));
    const std::uint32_t othersBefore = count;
    require(succeeded(approvals(machine, source)->setValue(valueName, value)));

    ApprovedStartup approved(machine);
    const bool fits = value.data.size() <= std::size_t(ApprovedStartup::kValueBytes);
    require(approved.isDisabled(source, name) == (fits && !value.data.empty() && (value.data[0] == 3 || value.data[0] == 7)));
    for (const bool enable : {false, true}) {
        const RegValue before = stored(machine, source, valueName);
        require(approved.setEnabled(source, name, enable) == fits);
        const RegValue after = stored(machine, source, valueName);
        if (!fits) {
            require(after == before);
            continue;
        }
        requireSwitched(before, after, enable);
        require(approved.isDisabled(source, name) == !enable);
    }
    require(succeeded(approvals(machine, source)->valueCount(count)) && count == othersBefore + 1);
    return 0;
}
