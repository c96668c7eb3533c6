#include "engine/undo/RegistryPlace.h"

#include "engine/undo/ChangeJson.h"

namespace
{

std::optional<QString> textOf(const QJsonObject& object, const char* member, int longest)
{
    const QJsonValue value = object.value(QLatin1String(member));
    if (!value.isString() || value.toString().size() > longest || value.toString().contains(QChar(0)))
        return std::nullopt;
    return value.toString();
}

} // namespace

std::optional<RegistryPlace> RegistryPlace::fromJson(const QJsonObject& object)
{
    const auto hive = ChangeJson::hiveNamed(object.value(QStringLiteral("hive")).toString());
    const auto view = ChangeJson::viewNamed(object.value(QStringLiteral("view")).toString());
    const auto key = textOf(object, "key", kLongestKey);
    const auto name = textOf(object, "value", kLongestName);
    if (!hive || !view || !key || !name)
        return std::nullopt;
    return RegistryPlace{*hive, *view, *key, *name};
}

QJsonObject RegistryPlace::toJson() const
{
    return {{QStringLiteral("hive"), ChangeJson::hiveName(hive)},
            {QStringLiteral("view"), ChangeJson::viewName(view)},
            {QStringLiteral("key"), key},
            {QStringLiteral("value"), name}};
}

QString RegistryPlace::label() const
{
    const QString shownName = name.isEmpty() ? QStringLiteral("(默认)") : name;
    return QStringLiteral("注册表 %1\\%2 [%3]").arg(ChangeJson::hiveName(hive), key, shownName);
}

bool RegistryPlace::operator==(const RegistryPlace& other) const
{
    return hive == other.hive && view == other.view && key.compare(other.key, Qt::CaseInsensitive) == 0 &&
           name.compare(other.name, Qt::CaseInsensitive) == 0;
}
