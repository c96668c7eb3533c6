#include "engine/undo/MoveBack.h"

#include "engine/undo/RecordingRegistry.h"
#include "text/PlatformText.h"

using namespace platform;

namespace
{

MoveBack::Result failure(const QString& reason)
{
    return {MoveBack::Outcome::Failed, reason};
}

QString statusText(Status status)
{
    return QStringLiteral("错误 %1").arg(status);
}

} // namespace

MoveBack::MoveBack(Registry& registry) : registry_(registry) {}

MoveBack::Result MoveBack::restore(const RegistryPlace& original, const RegistryPlace& copy, const RegValue& value)
{
    std::optional<RegValue> current;
    std::optional<RegValue> held;
    if (!stateOf(original, current) || !stateOf(copy, held))
        return failure(QStringLiteral("无法读取当前值"));
    if (!(held == value))
        return current == value ? Result{Outcome::AlreadySo, {}}
                                : failure(QStringLiteral("本程序保存的副本已不在或已改变，未写入"));
    if (!(current == value)) {
        const Status written = writeOriginal(original, value);
        if (!succeeded(written))
            return failure(statusText(written));
        if (!stateOf(original, current) || !(current == value))
            return failure(QStringLiteral("写入后读回不符"));
    }
    const Status removed = removeCopy(copy);
    if (!succeeded(removed))
        return failure(QStringLiteral("原值已写回，副本未能删除：%1").arg(statusText(removed)));
    return {Outcome::Restored, {}};
}

bool MoveBack::stateOf(const RegistryPlace& place, std::optional<RegValue>& state)
{
    state.reset();
    std::unique_ptr<RegistryKey> key;
    const Status opened = registry_.openKey(place.hive, toWString(place.key), RegAccess::Read, place.view, key);
    if (opened == ErrorFileNotFound)
        return true;
    return succeeded(opened) && RecordingKey::readState(*key, toWString(place.name), state);
}

Status MoveBack::writeOriginal(const RegistryPlace& original, const RegValue& value)
{
    std::unique_ptr<RegistryKey> key;
    const Status opened =
        registry_.createKey(original.hive, toWString(original.key), RegAccess::ReadWrite, original.view, key);
    return succeeded(opened) ? key->setValue(toWString(original.name), value) : opened;
}

Status MoveBack::removeCopy(const RegistryPlace& copy)
{
    std::unique_ptr<RegistryKey> key;
    const Status opened = registry_.openKey(copy.hive, toWString(copy.key), RegAccess::ReadWrite, copy.view, key);
    return succeeded(opened) ? key->deleteValue(toWString(copy.name)) : opened;
}
