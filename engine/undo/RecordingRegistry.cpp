#include "engine/undo/RecordingRegistry.h"

#include "engine/undo/ChangeJson.h"
#include "engine/undo/ChangeRecordWriter.h"
#include "text/PlatformText.h"

#include <QStringList>

using namespace platform;

namespace
{

bool writes(RegAccess access)
{
    return access != RegAccess::Read;
}

QJsonObject keyPlace(const char* kind, Hive hive, const std::wstring& subKey, RegView view)
{
    return {{QStringLiteral("kind"), QLatin1String(kind)},
            {QStringLiteral("hive"), ChangeJson::hiveName(hive)},
            {QStringLiteral("view"), ChangeJson::viewName(view)},
            {QStringLiteral("key"), toQString(subKey)}};
}

} // namespace

RecordingRegistry::RecordingRegistry(Registry& inner, ChangeRecordWriter& record) : inner_(inner), record_(record) {}

Status RecordingRegistry::openKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                                  std::unique_ptr<RegistryKey>& key)
{
    const Status status = inner_.openKey(hive, subKey, access, view, key);
    if (!succeeded(status) || !writes(access))
        return status;
    Registry& inner = inner_;
    auto readPrior = [&inner, hive, subKey, view](const std::wstring& name, std::optional<RegValue>& prior) {
        std::unique_ptr<RegistryKey> reader;
        const Status opened = inner.openKey(hive, subKey, RegAccess::Read, view, reader);
        prior.reset();
        return opened == ErrorFileNotFound || (succeeded(opened) && RecordingKey::readState(*reader, name, prior));
    };
    key = std::make_unique<RecordingKey>(std::move(key), keyPlace(ChangeJson::kRegistryValue, hive, subKey, view),
                                         readPrior, record_);
    return status;
}

Status RecordingRegistry::createKey(Hive hive, const std::wstring& subKey, RegAccess access, RegView view,
                                    std::unique_ptr<RegistryKey>& key)
{
    recordCreatedLevels(hive, subKey, view);
    std::unique_ptr<RegistryKey> created;
    const Status status = inner_.createKey(hive, subKey, access, view, created);
    if (!succeeded(status))
        return status;
    created.reset();
    return openKey(hive, subKey, access, view, key);
}

Status RecordingRegistry::deleteKey(Hive hive, const std::wstring& subKey, RegView view)
{
    return inner_.deleteKey(hive, subKey, view);
}

// Each missing level is recorded from the top down, so that undoing in reverse removes the deepest first.
void RecordingRegistry::recordCreatedLevels(Hive hive, const std::wstring& subKey, RegView view)
{
    const QStringList parts = toQString(subKey).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path += (path.isEmpty() ? QString() : QStringLiteral("\\")) + part;
        std::unique_ptr<RegistryKey> probe;
        const Status status = inner_.openKey(hive, toWString(path), RegAccess::Read, view, probe);
        if (status == ErrorFileNotFound)
            record_.append(keyPlace(ChangeJson::kRegistryKey, hive, toWString(path), view));
        else if (!succeeded(status))
            return;
    }
}

RecordingKey::RecordingKey(std::unique_ptr<RegistryKey> inner, QJsonObject where, PriorReader readPrior,
                           ChangeRecordWriter& record)
    : inner_(std::move(inner)), where_(std::move(where)), readPrior_(std::move(readPrior)), record_(record)
{
}

bool RecordingKey::readState(const RegistryKey& key, const std::wstring& name, std::optional<RegValue>& state)
{
    RegValue value;
    std::uint32_t required = 0;
    Status status = key.queryValue(name, value, 1u << 20, &required);
    if (status == ErrorMoreData && required > 0)
        status = key.queryValue(name, value, required, &required);
    state.reset();
    if (status == ErrorFileNotFound)
        return true;
    if (!succeeded(status))
        return false;
    state = value;
    return true;
}

void RecordingKey::recordPrior(const std::wstring& name, QJsonObject change)
{
    std::optional<RegValue> prior;
    if (!readPrior_(name, prior))
        return;
    change.insert(QStringLiteral("value"), toQString(name));
    change.insert(QStringLiteral("prior"), ChangeJson::valueToJson(prior));
    record_.append(change);
}

Status RecordingKey::setValue(const std::wstring& name, const RegValue& value)
{
    recordPrior(name, where_);
    return inner_->setValue(name, value);
}

Status RecordingKey::deleteValue(const std::wstring& name)
{
    recordPrior(name, where_);
    return inner_->deleteValue(name);
}

Status RecordingKey::deleteMoved(const std::wstring& name, const RegistryKey& copy, const std::wstring& copyName)
{
    const auto* recordedCopy = dynamic_cast<const RecordingKey*>(&copy);
    if (!recordedCopy)
        return deleteValue(name);
    QJsonObject change = where_;
    QJsonObject to = recordedCopy->where_;
    to.remove(QStringLiteral("kind"));
    to.insert(QStringLiteral("value"), toQString(copyName));
    change.insert(QStringLiteral("kind"), QLatin1String(ChangeJson::kMovedValue));
    change.insert(QStringLiteral("to"), to);
    recordPrior(name, change);
    return inner_->deleteValue(name);
}

Status RecordingKey::enumKey(std::uint32_t index, std::wstring& name, std::uint32_t maxNameChars) const
{
    return inner_->enumKey(index, name, maxNameChars);
}

Status RecordingKey::enumValue(std::uint32_t index, std::wstring& name, RegValue& value, std::uint32_t maxNameChars,
                               std::uint32_t maxDataBytes, std::uint32_t* requiredBytes) const
{
    return inner_->enumValue(index, name, value, maxNameChars, maxDataBytes, requiredBytes);
}

Status RecordingKey::queryValue(const std::wstring& name, RegValue& value, std::uint32_t maxDataBytes,
                                std::uint32_t* requiredBytes) const
{
    return inner_->queryValue(name, value, maxDataBytes, requiredBytes);
}

Status RecordingKey::valueCount(std::uint32_t& count) const
{
    return inner_->valueCount(count);
}

Status RecordingKey::subKeyCount(std::uint32_t& count) const
{
    return inner_->subKeyCount(count);
}
