#include "engine/undo/ChangeJson.h"

#include <QByteArray>

using platform::Hive;
using platform::RegType;
using platform::RegValue;
using platform::RegView;

namespace ChangeJson
{

namespace
{

const std::pair<Hive, const char*> kHives[] = {
    {Hive::LocalMachine, "HKLM"}, {Hive::CurrentUser, "HKCU"}, {Hive::Users, "HKU"}, {Hive::ClassesRoot, "HKCR"}};
const std::pair<RegView, const char*> kViews[] = {
    {RegView::Default, "default"}, {RegView::Native64, "native64"}, {RegView::Redirected32, "redirected32"}};
const RegType kTypes[] = {RegType::None,  RegType::Sz,      RegType::ExpandSz, RegType::Binary,
                          RegType::Dword, RegType::MultiSz, RegType::Qword};

template <typename Enum, std::size_t N> QString nameOf(const std::pair<Enum, const char*> (&table)[N], Enum value)
{
    for (const auto& [item, name] : table) {
        if (item == value)
            return QLatin1String(name);
    }
    return {};
}

template <typename Enum, std::size_t N>
std::optional<Enum> named(const std::pair<Enum, const char*> (&table)[N], const QString& text)
{
    for (const auto& [item, name] : table) {
        if (text == QLatin1String(name))
            return item;
    }
    return std::nullopt;
}

bool isHex(const QString& text)
{
    for (const QChar ch : text) {
        if (!ch.isDigit() && !(ch >= QLatin1Char('a') && ch <= QLatin1Char('f')))
            return false;
    }
    return text.size() % 2 == 0;
}

} // namespace

QString hiveName(Hive hive)
{
    return nameOf(kHives, hive);
}

std::optional<Hive> hiveNamed(const QString& name)
{
    return named(kHives, name);
}

QString viewName(RegView view)
{
    return nameOf(kViews, view);
}

std::optional<RegView> viewNamed(const QString& name)
{
    return named(kViews, name);
}

QJsonValue valueToJson(const std::optional<RegValue>& value)
{
    if (!value)
        return QJsonValue::Null;
    const QByteArray bytes(reinterpret_cast<const char*>(value->data.data()), static_cast<int>(value->data.size()));
    return QJsonObject{{QStringLiteral("type"), static_cast<int>(value->type)},
                       {QStringLiteral("data"), QString::fromLatin1(bytes.toHex())}};
}

bool valueFromJson(const QJsonValue& json, std::optional<RegValue>& value, int maxBytes)
{
    value.reset();
    if (json.isNull())
        return true;
    const QJsonObject object = json.toObject();
    const QJsonValue type = object.value(QStringLiteral("type"));
    const QString data = object.value(QStringLiteral("data")).toString(QStringLiteral("-"));
    if (!json.isObject() || !type.isDouble() || !isHex(data) || data.size() / 2 > maxBytes)
        return false;
    const int number = type.toInt(-1);
    for (const RegType known : kTypes) {
        if (static_cast<int>(known) != number || type.toDouble() != number)
            continue;
        const QByteArray bytes = QByteArray::fromHex(data.toLatin1());
        value = RegValue{known, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
        return true;
    }
    return false;
}

} // namespace ChangeJson
