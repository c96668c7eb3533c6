#include "engine/RegistryValueCopy.h"

using namespace platform;

namespace RegistryValueCopy {

bool readWhole(const RegistryKey& key, const std::wstring& name, RegValue& value)
{
    std::uint32_t required = 0;
    Status status = key.queryValue(name, value, 1u << 20, &required);
    if (status == ErrorMoreData && required > 0)
        status = key.queryValue(name, value, required, &required);
    return succeeded(status);
}

bool move(RegistryKey& fromKey, const std::wstring& from, RegistryKey& toKey, const std::wstring& to)
{
    RegValue original;
    if (!readWhole(fromKey, from, original))
        return false;
    RegValue copy;
    if (!succeeded(toKey.setValue(to, original)) || !readWhole(toKey, to, copy) || !(copy == original))
        return false;
    // While a run's changes are recorded, the move is recorded as one change, so that undo never removes the
    // copy without having put the original back.
    if (auto* recorded = dynamic_cast<MoveRecordingKey*>(&fromKey))
        return succeeded(recorded->deleteMoved(from, toKey, to));
    return succeeded(fromKey.deleteValue(from));
}

} // namespace RegistryValueCopy
